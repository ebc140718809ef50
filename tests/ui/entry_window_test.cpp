// SPDX-License-Identifier: AGPL-3.0-or-later
// The entry window driven through its widgets. Reference positions come from the Swiss
// Ephemeris (Moshier) for the same moments: 25 Dec 1990 20:30 UT Sun 273.794 (03 Cap 48),
// 26 Dec 274.813 (04 Cap 49), 27 Dec 275.831 (05 Cap 50); 6 Dec 2026 18:05 UT Sun 254.628
// (14 Sag 38), 7 Dec 255.644 (15 Sag 39).
#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QTest>

#include "ui/entry_field_controls.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

constexpr int Sagittarius = 9, Capricorn = 10;

// 25 Dec 1990, 3:30 PM at zone 5.
void EnterChristmas1990(UiFixture& f) {
    f.type(Section::Natal, EntryField::Month, QStringLiteral("12"));
    f.type(Section::Natal, EntryField::Day, QStringLiteral("25"));
    f.type(Section::Natal, EntryField::Year, QStringLiteral("1990"));
    f.type(Section::Natal, EntryField::Hour, QStringLiteral("3"));
    f.type(Section::Natal, EntryField::Minute, QStringLiteral("30"));
    f.type(Section::Natal, EntryField::Zone, QStringLiteral("5"));
    f.window->findChild<QRadioButton*>(QStringLiteral("optPM"))->click();
    f.click("cmdOK");
}

QString FieldShown(UiFixture& f, Section section, EntryField field) {
    return f.entryWindow().field(section, field)->text();
}

}  // namespace

class EntryWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void transitControlsCarryDiurnalAfterThePrefix() {
        const std::pair<EntryField, std::pair<const char*, const char*>> cases[] = {
            {EntryField::Name, {"txtName", "txtDiurnalName"}},
            {EntryField::Hour, {"txtBirthHour", "txtDiurnalBirthHour"}},
            {EntryField::Zone, {"txtTZ", "txtDiurnalTZ"}},
            {EntryField::LongMin, {"txtLongMin", "txtDiurnalLongMin"}},
        };
        for (const auto& [field, names] : cases) {
            QCOMPARE(ControlName(field, Section::Natal), std::string(names.first));
            QCOMPARE(ControlName(field, Section::Transit), std::string(names.second));
        }
    }

    void startUpShowsTheProgressTextsAndComputesNow() {
        UiFixture f;
        const QStringList expected = {"Reading the symbolism.txt file",
                                      "Reading the various symbols files",
                                      "Setting up select planet group #1 data",
                                      "Setting up crucial planet group #1 data",
                                      "Setting up synch planet group #1 data",
                                      "Setting up synch planet priority group #1 data",
                                      "Reading select planet groups data",
                                      "Reading crucial planet groups data",
                                      "Reading synch planet groups data",
                                      "Reading synch planet priority groups data",
                                      "Setting up planetary arrays"};
        QStringList shown;
        for (const QString& text : f.window->startupTexts())
            if (expected.contains(text) && !shown.contains(text)) shown << text;
        QCOMPARE(shown, expected);
        QVERIFY(
            f.window->windowTitle().startsWith(QStringLiteral("Quintaro_Pro [TM] - (version ")));
        QCOMPARE(f.entryWindow().windowTitle(), QStringLiteral("Data Input"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Name), QStringLiteral("Now"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Name), QStringLiteral("Transits"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Hour), QStringLiteral("1"));
        QVERIFY(f.window->findChild<QRadioButton*>(QStringLiteral("optPM"))->isChecked());
        QCOMPARE(f.gridCell(1, 2), LongitudeCell(14, Sagittarius, 38));
        f.screenshot(QStringLiteral("main_with_entry"));
    }

    void recalcListsTheTypedNatalChart() {
        UiFixture f;
        EnterChristmas1990(f);
        QCOMPARE(f.ws().natal.data.year, 1990);
        QCOMPARE(f.gridCell(1, 2), LongitudeCell(3, Capricorn, 48));
        QCOMPARE(f.gridCell(1, 0), QStringLiteral("01"));
    }

    void plusMinusAndCtrlArrowsStepTheChart() {
        UiFixture f;
        EnterChristmas1990(f);
        f.click("cmdNext");
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Day), QStringLiteral("26"));
        QCOMPARE(f.gridCell(1, 2), LongitudeCell(4, Capricorn, 49));
        QTest::keyClick(f.window.get(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Day), QStringLiteral("27"));
        QCOMPARE(f.gridCell(1, 2), LongitudeCell(5, Capricorn, 50));
        // Also while a text field has the focus.
        QTest::keyClick(f.entryWindow().field(Section::Natal, EntryField::Name), Qt::Key_Left,
                        Qt::ControlModifier);
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Day), QStringLiteral("26"));
        f.click("cmdPrev");
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Day), QStringLiteral("25"));

        // txtNatTran: a click switches the stepping to the transit chart.
        QTest::mouseClick(f.entryWindow().option(OptionField::NatTran), Qt::LeftButton);
        QCOMPARE(f.entryWindow().option(OptionField::NatTran)->text(), QStringLiteral("t"));
        f.typeOption(OptionField::Delta, QStringLiteral("2 y"));
        f.click("cmdNext");
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Year), QStringLiteral("2028"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Year), QStringLiteral("1990"));
    }

    void stepKeysWaitForTheStartUp() {
        TempFolder folder;
        RecordingMessages messages;
        Session session(folder.path(), messages);
        MainWindow window(session);
        window.show();
        const std::string day = session.workstation.entry.natal.day;
        QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(session.workstation.entry.natal.day, day);
    }

    void spinButtonsWrap_data() {
        QTest::addColumn<QStringList>("start");  // month, day, year, hour, minute, "AM"/"PM"
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QStringList>("expected");
        auto row = [](const char* name, QStringList start, EntryField field, int direction,
                      QStringList expected) {
            QTest::newRow(name) << start << static_cast<int>(field) << direction << expected;
        };
        row("minute up past 11:59 AM", {"6", "15", "2000", "11", "59", "AM"}, EntryField::Minute,
            +1, {"6", "15", "2000", "12", "0", "PM"});
        row("minute down past 12:00 PM", {"6", "15", "2000", "12", "0", "PM"}, EntryField::Minute,
            -1, {"6", "15", "2000", "11", "59", "AM"});
        row("month up past December", {"12", "15", "2000", "5", "10", "AM"}, EntryField::Month, +1,
            {"1", "15", "2001", "5", "10", "AM"});
        row("month up to February cuts the day", {"1", "31", "2001", "5", "10", "AM"},
            EntryField::Month, +1, {"2", "28", "2001", "5", "10", "AM"});
        row("leap February", {"1", "31", "2000", "5", "10", "AM"}, EntryField::Month, +1,
            {"2", "29", "2000", "5", "10", "AM"});
        row("day up past April 30", {"4", "30", "2001", "5", "10", "AM"}, EntryField::Day, +1,
            {"5", "1", "2001", "5", "10", "AM"});
        row("day down past March 1", {"3", "1", "2001", "5", "10", "AM"}, EntryField::Day, -1,
            {"2", "28", "2001", "5", "10", "AM"});
    }
    void spinButtonsWrap() {
        QFETCH(QStringList, start);
        QFETCH(int, field);
        QFETCH(int, direction);
        QFETCH(QStringList, expected);
        UiFixture f;
        const EntryField order[] = {EntryField::Month, EntryField::Day, EntryField::Year,
                                    EntryField::Hour, EntryField::Minute};
        for (int i = 0; i < 5; ++i) f.type(Section::Natal, order[i], start[i]);
        f.window
            ->findChild<QRadioButton*>(start[5] == "PM" ? QStringLiteral("optPM")
                                                        : QStringLiteral("optAM"))
            ->click();
        SpinButtons* spin = f.entryWindow().spin(Section::Natal, static_cast<EntryField>(field));
        QTest::mouseClick(direction > 0 ? spin->up() : spin->down(), Qt::LeftButton);
        QStringList shown;
        for (EntryField each : order) shown << FieldShown(f, Section::Natal, each);
        shown << (f.window->findChild<QRadioButton*>(QStringLiteral("optPM"))->isChecked()
                      ? QStringLiteral("PM")
                      : QStringLiteral("AM"));
        QCOMPARE(shown, expected);
    }

    void fieldsFilterKeysLimitWidthAndNormaliseTheHour() {
        UiFixture f;
        f.type(Section::Natal, EntryField::Month, QStringLiteral("a1b2"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Month), QStringLiteral("12"));
        f.type(Section::Natal, EntryField::Year, QStringLiteral("198765"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Year), QStringLiteral("1987"));
        f.type(Section::Transit, EntryField::Zone, QStringLiteral("-x5.5"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Zone), QStringLiteral("-5.5"));
        QCOMPARE(f.entry().transit.zone, std::string("-5.5"));
        f.typeOption(OptionField::OrbGeoLong, QStringLiteral("2-.5"));
        QCOMPARE(f.entryWindow().option(OptionField::OrbGeoLong)->text(), QStringLiteral("2.5"));
        f.typeOption(OptionField::Delta, QStringLiteral("6 h"));
        QCOMPARE(f.entry().options.delta, std::string("6 h"));

        f.window->findChild<QRadioButton*>(QStringLiteral("optAM"))->click();
        f.type(Section::Natal, EntryField::Hour, QStringLiteral("15"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Hour), QStringLiteral("3"));
        QVERIFY(f.window->findChild<QRadioButton*>(QStringLiteral("optPM"))->isChecked());
        f.type(Section::Natal, EntryField::Hour, QStringLiteral("0"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Hour), QStringLiteral("12"));
    }

    void focusSelectsTheWholeText() {
        UiFixture f;
        FieldEdit* year = f.entryWindow().field(Section::Natal, EntryField::Year);
        f.window->activateWindow();
        year->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(year->selectedText(), QStringLiteral("2026"));
    }

    void swapExchangesTheSectionsAndRecomputes() {
        UiFixture f;
        EnterChristmas1990(f);
        f.type(Section::Natal, EntryField::Place, QStringLiteral("Chicago"));
        f.trigger("mnuDataSwitchData");
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Year), QStringLiteral("2026"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Name), QStringLiteral("Transits"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Year), QStringLiteral("1990"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Place), QStringLiteral("Chicago"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Minute), QStringLiteral("30"));
        QCOMPARE(f.gridCell(1, 2), LongitudeCell(14, Sagittarius, 38));
    }

    void presetsAndTransferWriteTheFieldsWithoutRecomputing() {
        UiFixture f;
        const QString sunBefore = f.gridCell(1, 2);
        f.trigger("mnuDataCoordinatesCST");
        for (Section section : {Section::Natal, Section::Transit}) {
            QCOMPARE(FieldShown(f, section, EntryField::Zone), QStringLiteral("6"));
            QCOMPARE(FieldShown(f, section, EntryField::LongDeg), QStringLiteral("87"));
            QCOMPARE(FieldShown(f, section, EntryField::LongMin), QStringLiteral("38"));
            QCOMPARE(FieldShown(f, section, EntryField::LatDeg), QStringLiteral("41"));
            QCOMPARE(FieldShown(f, section, EntryField::LatMin), QStringLiteral("52"));
        }
        QCOMPARE(f.gridCell(1, 2), sunBefore);

        f.type(Section::Natal, EntryField::Hour, QStringLiteral("9"));
        f.type(Section::Natal, EntryField::Zone, QStringLiteral("8"));
        f.trigger("mnuDataTransferNatalCoordZone2Transit");
        QVERIFY(f.window->command("mnuDataTransferNatalCoordZone2Transit")->isChecked());
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Hour), QStringLiteral("9"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Zone), QStringLiteral("8"));
        f.trigger("mnuDataTransferNatalCoordZone2Transit");  // off: transit back to "Now"
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Hour), QStringLiteral("1"));
        QCOMPARE(FieldShown(f, Section::Transit, EntryField::Zone), QStringLiteral("5"));
    }

    void bodyCheckBoxesChangeTheSelectionAndTheGrid() {
        UiFixture f;
        QCheckBox* moon = f.entryWindow().bodyCheck(QStringLiteral("Check5"));
        QVERIFY(moon->isChecked());
        QVERIFY(!f.gridCell(4, 1).isEmpty());
        moon->click();
        QCOMPARE(f.ws().flags().text()[3], '0');
        QCOMPARE(f.ws().flags().text()[BodyCount + 3], '0');
        QCOMPARE(f.gridCell(4, 1), QString());

        // "PF" needs the Moon while slot 20 is the part of fortune.
        f.entryWindow().bodyCheck(QStringLiteral("Check3"))->click();
        QCOMPARE(f.ws().flags().text()[19], '1');
        QCOMPARE(f.ws().flags().text()[3], '1');
        QVERIFY(moon->isChecked());
        QVERIFY(!f.gridCell(4, 1).isEmpty());
        QVERIFY(!f.gridCell(20, 1).isEmpty());

        QVERIFY(!f.entryWindow().bodyCheck(QStringLiteral("Check6"))->isEnabled());  // Ceres
    }

    void partOfFortuneVertexToggleRenamesSlot20() {
        UiFixture f;
        QAction* toggle = f.window->command("mnuDataPoF_VertexToggle");
        const QString before = toggle->text();
        toggle->trigger();
        QVERIFY(toggle->text() != before);
        QCOMPARE(f.entryWindow().bodyCheck(QStringLiteral("Check3"))->text(), QStringLiteral("VT"));
        toggle->trigger();
        QCOMPARE(toggle->text(), before);
        QCOMPARE(f.entryWindow().bodyCheck(QStringLiteral("Check3"))->text(), QStringLiteral("PF"));
    }

    void nowButtonsAndGridClickClipboard() {
        UiFixture f;
        EnterChristmas1990(f);
        QTableWidget* grid = f.entryWindow().grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(0, 2)).center());
        const QString clip = QGuiApplication::clipboard()->text();
        QVERIFY2(clip.startsWith(QStringLiteral("nat_geo_")), qPrintable(clip));
        QVERIFY2(clip.contains(QStringLiteral("273.79")), qPrintable(clip));

        f.click("cmdNow");
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Year), QStringLiteral("2026"));
        QCOMPARE(FieldShown(f, Section::Natal, EntryField::Zone), QStringLiteral("5"));
        QCOMPARE(f.gridCell(1, 2), LongitudeCell(14, Sagittarius, 38));
    }

    void degreesBoxRelistsTheGrid() {
        UiFixture f;
        EnterChristmas1990(f);
        f.window->findChild<QCheckBox*>(QStringLiteral("chkDrgs"))->click();
        // 273.794 is 3.79 degrees into Capricorn.
        QCOMPARE(f.gridCell(1, 2), QStringLiteral("03.79") + QChar(0xF000 + 128 + Capricorn));
    }
};

QUINTARO_UI_TEST(EntryWindowTest);

}  // namespace quintaro::test

#include "entry_window_test.moc"
