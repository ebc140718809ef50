// SPDX-License-Identifier: AGPL-3.0-or-later
// The Place fields complete from the atlas; a chosen place fills the coordinates and the zone,
// and the zone follows the date and time (zones checked with Python's zoneinfo).
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include "ui_fixture.h"

namespace quintaro::test {

namespace {

// Types into a Place field and takes the completion in `row` of the list it offers.
QStringList TypePlaceAndChoose(UiFixture& f, Section section, const QString& text, int row) {
    f.type(section, EntryField::Place, text);
    QAbstractItemView* list = f.entryWindow().placeCompleter(section)->completer()->popup();
    QStringList offered;
    for (int k = 0; k < list->model()->rowCount(); ++k)
        offered << list->model()->index(k, 0).data().toString();
    if (row >= 0 && row < offered.size()) {
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }
    return offered;
}

}  // namespace

class PlaceEntryTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void aChosenPlaceFillsCoordinatesAndZone() {
        UiFixture f;
        const QStringList offered =
            TypePlaceAndChoose(f, Section::Natal, QStringLiteral("kolk"), 0);
        QVERIFY(!offered.isEmpty());
        QCOMPARE(offered.front(), QStringLiteral("Kolkata, State of West Bengal, India"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Place), offered.front());
        QCOMPARE(Shown(f, Section::Natal, EntryField::LatDeg), QStringLiteral("22"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::LatMin), QStringLiteral("34"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::LongDeg), QStringLiteral("88"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::LongMin), QStringLiteral("22"));
        QVERIFY(f.window->findChild<QRadioButton*>(QStringLiteral("optEast"))->isChecked());
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("-5.5"));
        QCheckBox* box = f.entryWindow().zoneFromPlace(Section::Natal);
        QVERIFY(box->isEnabled() && box->isChecked());
        QCOMPARE(f.entryWindow().zoneNote(Section::Natal)->text(),
                 QStringLiteral("IST, standard time (Asia/Kolkata)"));
        // The transit section has its own.
        TypePlaceAndChoose(f, Section::Transit, QStringLiteral("London, GB"), 0);
        QCOMPARE(Shown(f, Section::Transit, EntryField::Zone), QStringLiteral("0"));
        QCOMPARE(f.entry().transit.zoneSource.name, std::string("Europe/London"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("-5.5"));
        f.screenshot(QStringLiteral("entry_place_chosen"));
    }

    void theZoneFollowsTheDateAndTime() {
        UiFixture f;
        TypePlaceAndChoose(f, Section::Natal, QStringLiteral("New York"), 0);
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("5"));  // December
        f.type(Section::Natal, EntryField::Month, QStringLiteral("7"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("4"));
        f.type(Section::Natal, EntryField::Year, QStringLiteral("1850"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("4.933333"));
        f.type(Section::Natal, EntryField::Year, QStringLiteral("2026"));
        // The month spin moves the date and the zone with it.
        f.entryWindow().spin(Section::Natal, EntryField::Month)->up()->click();
        QCOMPARE(Shown(f, Section::Natal, EntryField::Month), QStringLiteral("8"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("4"));
        // Typing a zone by hand takes the zone off the place.
        f.type(Section::Natal, EntryField::Zone, QStringLiteral("3"));
        QVERIFY(!f.entryWindow().zoneFromPlace(Section::Natal)->isChecked());
        f.type(Section::Natal, EntryField::Month, QStringLiteral("12"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("3"));
        f.entryWindow().zoneFromPlace(Section::Natal)->click();
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("5"));
    }

    void aSkippedTimeComputesNoChartUntilAZoneIsTyped() {
        UiFixture f;
        TypePlaceAndChoose(f, Section::Natal, QStringLiteral("New York"), 0);
        f.type(Section::Natal, EntryField::Year, QStringLiteral("2021"));
        f.type(Section::Natal, EntryField::Month, QStringLiteral("3"));
        f.type(Section::Natal, EntryField::Day, QStringLiteral("14"));
        f.type(Section::Natal, EntryField::Hour, QStringLiteral("2"));
        f.type(Section::Natal, EntryField::Minute, QStringLiteral("30"));
        f.window->findChild<QRadioButton*>(QStringLiteral("optAM"))->click();
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QString());
        QVERIFY(f.entryWindow()
                    .zoneNote(Section::Natal)
                    ->text()
                    .startsWith(
                        QStringLiteral("2:30 AM did not exist on 2021-03-14 in America/New_York")));
        const QString before = f.gridCell(1, 2);
        f.messages.shown.clear();
        f.click("cmdOK");
        QCOMPARE(f.messages.shown.size(), size_t(1));
        QVERIFY(QString::fromStdString(f.messages.shown[0].text)
                    .startsWith(QStringLiteral("The natal zone is open: 2:30 AM did not exist")));
        QCOMPARE(f.gridCell(1, 2), before);
        QVERIFY(!f.ws().chartsComputed);
        f.type(Section::Natal, EntryField::Zone, QStringLiteral("5"));
        f.click("cmdOK");
        QVERIFY(f.ws().chartsComputed);
        QCOMPARE(f.messages.shown.size(), size_t(1));
    }

    void anUnknownPlaceOffersNothing() {
        UiFixture f;
        QVERIFY(TypePlaceAndChoose(f, Section::Natal, QStringLiteral("Qqxyzzy"), 0).isEmpty());
        QCOMPARE(Shown(f, Section::Natal, EntryField::Place), QStringLiteral("Qqxyzzy"));
        QVERIFY(!f.entryWindow().zoneFromPlace(Section::Natal)->isEnabled());
        QCOMPARE(Shown(f, Section::Natal, EntryField::Zone), QStringLiteral("5"));  // home
    }
};

QUINTARO_UI_TEST(PlaceEntryTest);

}  // namespace quintaro::test

#include "place_entry_test.moc"
