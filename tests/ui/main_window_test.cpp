// SPDX-License-Identifier: AGPL-3.0-or-later
// The main frame: menus, the status clock, the filter windows and shut-down writing the settings
// with the grid windows' rectangles.
#include <QCheckBox>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTest>

#include "setup/settings_file.h"
#include "ui/aspect_grid_window.h"
#include "ui/filter_windows.h"
#include "ui_fixture.h"

namespace quintaro::test {

class MainWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void menusAndClock() {
        UiFixture f;
        const QRegularExpression clock(
            QStringLiteral("^\\d\\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d{4} "
                           "\\d{1,2}:\\d\\d:\\d\\d (AM|PM)$"));
        QVERIFY2(clock.match(f.window->clockText()).hasMatch(), qPrintable(f.window->clockText()));
        for (const char* later : {"mnuFilePrintNatalAspects", "mnuSelectLineAngles"})
            QVERIFY2(!f.window->command(QString::fromLatin1(later))->isEnabled(), later);
        for (const char* ready : {"mnuFilePrintWheel", "mnuVelmCharts", "mnuFileLoadNewData",
                                  "mnuDataSwitchData", "mnuFileExit"})
            QVERIFY2(f.window->command(QString::fromLatin1(ready))->isEnabled(), ready);
        QCOMPARE(f.window->command("mnuFileSaveAsData")->text(),
                 QStringLiteral("Save &As .OPT File"));
        QCOMPARE(f.window->command("mnuDataCoordinatesCDT")->text(),
                 QStringLiteral("CME/CBOE - CDT"));
        QCOMPARE(f.window->command("mnuCACSaturnClashes")->text(),
                 QStringLiteral("Saturn Clashes"));
    }

    void shutDownWritesTheGridRectangles() {
        UiFixture f;
        AspectGridWindow* grid =
            f.window->showGridWindow(static_cast<int>(GridWindow::DeclAspects));
        grid->parentWidget()->setGeometry(20, 30, 400, 300);
        QVERIFY(f.window->shutDown());
        Settings read;
        RecordingMessages messages;
        ReadSettingsFile(f.folder.path() / "Quintaro_Pro.INI", read, messages);
        const WindowRect& rect = read.rect(SettingsWindow::DeclinationAspectGrid);
        // 15 twips to the pixel.
        QCOMPARE(rect.left, int16_t{300});
        QCOMPARE(rect.top, int16_t{450});
        QCOMPARE(rect.width, int16_t{6000});
        QCOMPARE(rect.height, int16_t{4500});
    }

    void applyingOnlyWindowFollowsTheBox() {
        UiFixture f;
        QCheckBox* box = f.window->findChild<QCheckBox*>(QStringLiteral("chkApplyingOnly"));
        box->click();
        QVERIFY(f.window->findChild<ApplyingOnlyWindow*>());
        QCOMPARE(f.window->controller().display().applyingOnlyMode, 1);
        f.click("cmdClose");
        QTRY_VERIFY(!f.window->findChild<ApplyingOnlyWindow*>());
        QCOMPARE(f.window->controller().display().applyingOnlyMode, 0);
        QVERIFY(!box->isChecked());
        QVERIFY(!f.entry().options.applyingOnly);
    }

    void timeOrbWindowRollsItsSpinners() {
        UiFixture f;
        f.trigger("mnuDataTimeOrbFilter");
        TimeOrbWindow* window = f.window->findChild<TimeOrbWindow*>();
        QVERIFY(window);
        QVERIFY(f.session->timeOrbFilter.active);
        QCOMPARE(window->days()->text(), QStringLiteral("3"));  // the settings' default
        auto* hourDown = window->findChild<SpinButtons*>(QStringLiteral("udHour"));
        QTest::mouseClick(hourDown->down(), Qt::LeftButton);  // 3 d 0 h - 1 h = 2 d 23 h
        QCOMPARE(window->days()->text(), QStringLiteral("2"));
        QCOMPARE(window->hours()->text(), QStringLiteral("23"));
        auto* minuteUp = window->findChild<SpinButtons*>(QStringLiteral("udMinute"));
        for (int i = 0; i < 60; ++i) QTest::mouseClick(minuteUp->up(), Qt::LeftButton);
        QCOMPARE(window->days()->text(), QStringLiteral("3"));
        QCOMPARE(window->hours()->text(), QStringLiteral("0"));
        QCOMPARE(window->minutes()->text(), QStringLiteral("0"));
        window->parentWidget()->close();
        QTRY_VERIFY(!f.session->timeOrbFilter.active);
    }
};

QUINTARO_UI_TEST(MainWindowTest);

}  // namespace quintaro::test

#include "main_window_test.moc"
