// SPDX-License-Identifier: AGPL-3.0-or-later
// The wheel styles in the windows: the Style and Houses menus of "Chartwheels", the duo window
// "Duo Chartwheels" and the house wheel window with its messages.
#include <QCheckBox>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include "ui/wheel_window.h"
#include "ui_fixture.h"
#include "wheels/wheel_layout.h"

namespace quintaro::test {

namespace {

const QString kStellium =
    QStringLiteral(QUINTARO_SOURCE_DIR "/tests/cli_wheels/data/stellium_1962.opt");

WheelWindow* Shown(UiFixture& f, const char* command, const char* objectName) {
    f.trigger(command);
    auto* wheel = f.window->findChild<WheelWindow*>(QString::fromLatin1(objectName));
    if (!wheel) return nullptr;
    wheel->parentWidget()->showMaximized();
    QApplication::processEvents();
    wheel->canvas()->repaint();
    QApplication::processEvents();
    return wheel;
}

// Where a click finds a body's glyph in one of the window's wheels (device pixels).
QPoint GlyphOnScreen(WheelWindow& wheel, int which, int body) {
    const WheelLayout& layout = wheel.styledLayout().wheels.at(which);
    const PlacedGlyph* glyph = FindGlyph(layout, body);
    if (!glyph) return {};
    const DeviceMapping map{layout.scale, static_cast<double>(wheel.canvas()->width()),
                            static_cast<double>(wheel.canvas()->height())};
    const Point at = map.toDevice(
        {glyph->anchor.x + layout.cellWidth / 2, glyph->anchor.y - layout.cellHeight / 2});
    return {static_cast<int>(at.x), static_cast<int>(at.y)};
}

}  // namespace

class WheelStylesWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void chartwheelsDrawsTheStyleOfItsMenu() {
        UiFixture f;
        WheelWindow* wheel = Shown(f, "mnuVelmCharts", "Wheels");
        QVERIFY(wheel);
        QCOMPARE(wheel->styledLayout().style, WheelStyle::Lens);
        wheel->findChild<QAction*>(QStringLiteral("mnuStyleZodiac"))->trigger();
        wheel->findChild<QAction*>(QStringLiteral("mnuHouseKoch"))->trigger();
        wheel->canvas()->repaint();
        QCOMPARE(wheel->styledLayout().style, WheelStyle::Zodiac);
        QCOMPARE(*wheel->styledView().houseSystem, HouseSystem::Koch);
        QVERIFY(FindGlyph(wheel->layout(), SlotSun));
        QVERIFY(wheel->findChild<QAction*>(QStringLiteral("mnuStyleZodiac"))->isChecked());
        QVERIFY(!wheel->findChild<QAction*>(QStringLiteral("mnuStyleLens"))->isChecked());
        // A click on the Sun's glyph names it.
        QTest::mouseClick(wheel->canvas(), Qt::LeftButton, {}, GlyphOnScreen(*wheel, 0, SlotSun));
        QVERIFY2(wheel->report().startsWith(QStringLiteral(" Natal sun is at ")),
                 qPrintable(wheel->report()));
        f.screenshot(QStringLiteral("wheel_window_zodiac"));
    }

    void duoWindowReportsWithItsKindTexts() {
        UiFixture f;
        WheelWindow* duo = Shown(f, "mnuDuoCharts", "Wheels_2");
        QVERIFY(duo);
        QCOMPARE(duo->windowTitle(), QStringLiteral("Duo Chartwheels"));
        QCOMPARE(duo->styledLayout().wheels.size(), size_t(2));
        QTest::mouseClick(duo->canvas(), Qt::LeftButton, {}, GlyphOnScreen(*duo, 0, SlotSun));
        QVERIFY2(duo->report().startsWith(QStringLiteral(" N. geo sun is at ")),
                 qPrintable(duo->report()));
        QVERIFY2(duo->report().contains(QStringLiteral(" N. decl sun is at ")),
                 qPrintable(duo->report()));
        QTest::mouseClick(duo->canvas(), Qt::LeftButton, {}, GlyphOnScreen(*duo, 1, SlotEarth));
        QVERIFY2(duo->report().startsWith(QStringLiteral(" N. helio earth is at ")),
                 qPrintable(duo->report()));
        QVERIFY(!FindGlyph(duo->styledLayout().wheels[1], SlotSun));
        f.screenshot(QStringLiteral("wheel_window_duo"));
    }

    void houseWindowTellsEachLeftOutBodyOnce() {
        UiFixture f;
        f.openAnswers << kStellium;
        f.trigger("mnuFileLoadNewData");
        WheelWindow* houses = Shown(f, "mnuHouseCharts", "wheels_small_geo_houses");
        QVERIFY(houses);
        QStringList names;
        for (QAction* action : houses->findChildren<QAction*>())
            if (action->objectName().startsWith(QStringLiteral("mnuHouse")))
                names << action->text();
        QCOMPARE(names.size(), 13);
        for (const char* name :
             {"Regiomontanus", "Koch", "Campanus", "Porphyry", "Equal Ascendant", "Equal MC",
              "Meridian", "Morinus", "Placidus", "Arabic", "Natural", "Solar", "Velm Astro"})
            QVERIFY2(names.contains(QString::fromLatin1(name)), name);
        QVERIFY(houses->findChild<QAction*>(QStringLiteral("mnuPrintWheel")));

        // The stellium with its transits at the same moment fills the 10th house.
        houses->findChild<QCheckBox*>(QStringLiteral("chkWithTransit"))->click();
        houses->canvas()->repaint();
        QApplication::processEvents();
        const size_t leftOut = houses->styledLayout().leftOut.size();
        QVERIFY(leftOut > 0);
        auto told = [&] {
            int count = 0;
            for (const auto& shown : f.messages.shown)
                count +=
                    shown.title == "Please be advised" &&
                    shown.text.find("into the proper location within house") != std::string::npos;
            return count;
        };
        QCOMPARE(told(), static_cast<int>(leftOut));
        houses->canvas()->repaint();  // drawn again: nothing new to tell
        QApplication::processEvents();
        QCOMPARE(told(), static_cast<int>(leftOut));
        f.screenshot(QStringLiteral("wheel_window_house"));
    }
};

QUINTARO_UI_TEST(WheelStylesWindowTest);

}  // namespace quintaro::test

#include "wheel_styles_window_test.moc"
