// SPDX-License-Identifier: AGPL-3.0-or-later
// The progression, solar-arc, returns and sidereal windows: their fields behave as the entry
// window's, their commands write the entry window's transit section and recompute, their modes
// follow the windows' lifetime, and bad input leaves the entry window as it was.
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "core/degrees.h"
#include "core/sidereal.h"
#include "ui/predictive_windows.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

template <class Window>
Window* Open(UiFixture& f, const char* command) {
    f.trigger(command);
    return f.window->findChild<Window*>();
}

void Type(FieldEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Born 1 January 1980, 11:50 P.M. in zone 0; the target 11 January 2010.
void TypeBirth(PredictiveFields* fields) {
    Type(fields->field(Section::Natal, EntryField::Name), QStringLiteral("Kim"));
    Type(fields->field(Section::Natal, EntryField::Month), QStringLiteral("1"));
    Type(fields->field(Section::Natal, EntryField::Day), QStringLiteral("1"));
    Type(fields->field(Section::Natal, EntryField::Year), QStringLiteral("1980"));
    Type(fields->field(Section::Natal, EntryField::Hour), QStringLiteral("23"));  // 11 P.M.
    Type(fields->field(Section::Natal, EntryField::Minute), QStringLiteral("50"));
    Type(fields->field(Section::Natal, EntryField::Zone), QStringLiteral("0"));
    Type(fields->field(Section::Transit, EntryField::Month), QStringLiteral("1"));
    Type(fields->field(Section::Transit, EntryField::Day), QStringLiteral("11"));
    Type(fields->field(Section::Transit, EntryField::Year), QStringLiteral("2010"));
}

}  // namespace

class PredictiveWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void progressionIntoTheTransitSection() {
        UiFixture f;
        auto* form = Open<ProgressForm>(f, "mnuAdvancedVelmProgressions");
        QVERIFY(form);
        PredictiveFields* fields = form->fields();
        // The entry window's natal data and today's date as the window opens.
        QCOMPARE(fields->field(Section::Natal, EntryField::Name)->text(), QStringLiteral("Now"));
        QCOMPARE(fields->field(Section::Transit, EntryField::Day)->text(), QStringLiteral("6"));
        TypeBirth(fields);
        QCOMPARE(fields->field(Section::Natal, EntryField::Hour)->text(), QStringLiteral("11"));
        QVERIFY(fields->findChild<QRadioButton*>(QStringLiteral("optPM"))->isChecked());
        Press(form, "cmdCalculate");
        // P = N + 10967.0069 / 365.2422: 30.02667 days on, 12:28 A.M. of 1 February 1980.
        const EntrySection& t = f.entry().transit;
        QCOMPARE(QString::fromStdString(t.month + "/" + t.day + "/" + t.year + " " + t.hour + ":" +
                                        t.minute + (t.pm ? " PM" : " AM")),
                 QStringLiteral("2/1/1980 12:28 AM"));
        QCOMPARE(f.entryWindow().field(Section::Transit, EntryField::Name)->text(),
                 QStringLiteral("Kim - progressed"));
        QVERIFY(std::abs(f.ws().transit.houses.ChartJD - 2444270.5194444) < 1e-6);  // recomputed
        QVERIFY(f.messages.shown.empty());
        f.screenshot(QStringLiteral("progression_window"));
    }

    void fieldsFollowTheEntryWindowsRules() {
        UiFixture f;
        auto* form = Open<ReturnsForm>(f, "mnuWesternSolarReturns");
        PredictiveFields* fields = form->fields();
        FieldEdit* month = fields->field(Section::Transit, EntryField::Month);
        QCOMPARE(month->objectName(), QStringLiteral("txtDiurnalMonth"));
        Type(month, QStringLiteral("1a2345"));  // digits only, three at most
        QCOMPARE(month->text(), QStringLiteral("123"));
        Type(month, QStringLiteral("12"));
        Type(fields->field(Section::Transit, EntryField::Day), QStringLiteral("31"));
        Type(fields->field(Section::Transit, EntryField::Year), QStringLiteral("2019"));
        for (int click = 0; click < 2; ++click)
            QTest::mouseClick(fields->spin(Section::Transit, EntryField::Month)->up(),
                              Qt::LeftButton);
        const EntrySection& target = f.session->predictive.returns.target;
        QCOMPARE(QString::fromStdString(target.month + "/" + target.day + "/" + target.year),
                 QStringLiteral("2/29/2020"));  // into the next year, cut to a leap February
        Press(form, "cmdNowTransit");
        QCOMPARE(month->text(), QStringLiteral("12"));
    }

    void badInputLeavesTheEntryWindowAlone() {
        UiFixture f;
        auto* form = Open<ReturnsForm>(f, "mnuWesternSolarReturns");
        PredictiveFields* fields = form->fields();
        const EntrySection before = f.entry().transit;
        Type(fields->field(Section::Natal, EntryField::Hour), QString());
        Press(form, "cmdCalculate");
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QCOMPARE(f.messages.shown[0].text, std::string("Please fill in a value for birth hour."));

        // A damaged chart data file: the reader's message; the window keeps what the file did
        // not give, and the entry window does not change.
        const auto damaged = f.folder.path() / "short.opt";
        std::ofstream(damaged) << "\"Lee\"  1977   3   30";
        f.openAnswers << QString::fromStdString(damaged.string());
        Press(form, "cmdLoadOpt");
        QCOMPARE(f.messages.shown.size(), size_t{2});
        QVERIFY(f.messages.shown[1].text.find("is damaged") != std::string::npos);
        QCOMPARE(fields->field(Section::Natal, EntryField::Name)->text(), QStringLiteral("Lee"));
        QCOMPARE(fields->field(Section::Natal, EntryField::Hour)->text(), QString());
        const EntrySection& after = f.entry().transit;
        QVERIFY(after.name == before.name && after.day == before.day && after.hour == before.hour);
        QCOMPARE(f.entry().natal.name, std::string("Now"));
    }

    void solarArcModeWhileTheWindowIsOpen() {
        UiFixture f;
        QVERIFY(!f.ws().solarArc.on);
        auto* form = Open<SolarArcForm>(f, "mnuWesternSolarArcProgressions");
        QVERIFY(f.ws().solarArc.on);
        TypeBirth(form->fields());
        Press(form, "cmdReCalc");
        QCOMPARE(f.entryWindow().field(Section::Transit, EntryField::Name)->text(),
                 QStringLiteral("Kim - solar arc prog."));
        const ChartKinds& natal = f.ws().record.Natal;
        const ChartKinds& transit = f.ws().record.Transit;
        const double arc = f.ws().solarArc.geoArc;
        QVERIFY(arc > 29.0 && arc < 31.5);  // thirty days of the Sun in January
        QVERIFY(std::abs(Norm360(natal.GeoLong[SlotMars] + arc) - transit.GeoLong[SlotMars]) <
                1e-9);
        form->parentWidget()->close();
        QTRY_VERIFY(!f.window->findChild<SolarArcForm*>());
        QVERIFY(!f.ws().solarArc.on);
        // Recomputed without the arcs: the transit Mars is far from natal Mars + arc again.
        QVERIFY(std::abs(Norm360(natal.GeoLong[SlotMars] + arc) - transit.GeoLong[SlotMars]) > 0.1);
    }

    void siderealModeWhileTheWindowIsOpen() {
        UiFixture f;
        const double tropical = f.ws().record.Natal.GeoLong[SlotSun];
        const SiderealOffsets offsets = ComputeSiderealOffsets(f.ws().natal.houses.ChartJD);
        auto* form = Open<SiderealForm>(f, "mnuWesternSiderealChart");
        QVERIFY(f.ws().positions.sidereal.on);
        form->findChild<QRadioButton*>(QStringLiteral("optSiderealType1"))->click();
        Press(form, "cmdCalculate");
        QVERIFY(std::abs(f.ws().record.Natal.GeoLong[SlotSun] -
                         ApplySiderealOffset(tropical, 1, offsets)) < 1e-4);
        form->parentWidget()->close();
        QTRY_VERIFY(!f.window->findChild<SiderealForm*>());
        QVERIFY(!f.ws().positions.sidereal.on);
        QCOMPARE(f.ws().record.Natal.GeoLong[SlotSun], tropical);
    }
};

QUINTARO_UI_TEST(PredictiveWindowsTest);

}  // namespace quintaro::test

#include "predictive_windows_test.moc"
