// SPDX-License-Identifier: AGPL-3.0-or-later
// The option windows: default groups as the start-up writes them, group buttons, save and load,
// "Apply", the mirror on the entry window and the priorities.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "aspects/aspect_grid.h"
#include "ui/aspect_grid_window.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

QWidget* Open(UiFixture& f, const char* name) {
    f.trigger((std::string("mnu") + name).c_str());
    QWidget* window = f.window->findChild<QWidget*>(QString::fromLatin1(name));
    QTEST_ASSERT(window);
    return window;
}

QCheckBox* Box(QWidget* window, int index) {
    return window->findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(index));
}

QList<int> Checked(QWidget* window) {
    QList<int> checked;
    for (int i = 0; i < 2 * BodyCount; ++i)
        if (Box(window, i)->isChecked()) checked << i;
    return checked;
}

// Indexes of natal slots and their transit twins (slot k: k - 1 and 53 + k - 1).
QList<int> BothSides(std::initializer_list<int> slots) {
    QList<int> indexes;
    for (int s : slots) indexes << s - 1;
    for (int s : slots) indexes << BodyCount + s - 1;
    return indexes;
}

}  // namespace

class OptionWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void selectionWindowsShowTheDefaultGroups() {
        UiFixture f;
        QWidget* geo = Open(f, "Geo_Opt");
        QCOMPARE(Box(geo, 0)->text(), QStringLiteral("Sun"));
        QCOMPARE(Box(geo, BodyCount)->text(), QStringLiteral("Sun"));
        QCOMPARE(Box(geo, 20)->text(), QStringLiteral("Aphrodite"));
        QCOMPARE(Box(geo, 47)->text(), QStringLiteral("x3-andromache"));
        // group1.sel: Sun .. Chiron (1..12) and Ceres .. Juno (14..17), both sides.
        QCOMPARE(Checked(geo), BothSides({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17}));
        QWidget* crucial = Open(f, "Crucial_Opt");
        QCOMPARE(Checked(crucial), BothSides({3, 9, 10, 12}));
        QWidget* synch = Open(f, "Syn_Opt");
        QCOMPARE(Checked(synch), BothSides({1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17}));
        QVERIFY(Open(f, "Blue_Opt"));
        QVERIFY(Open(f, "Fit_Opt"));
    }

    void geoBoxesMirrorOnTheEntryWindowAndApplyRecomputes() {
        UiFixture f;
        QWidget* geo = Open(f, "Geo_Opt");
        Box(geo, 3)->click();  // natal Moon off
        QVERIFY(!f.entryWindow().bodyCheck(QStringLiteral("Check5"))->isChecked());
        QVERIFY(!f.gridCell(5, 1).isEmpty());
        Box(geo, 4)->click();  // natal Mars off
        Press(geo, "Command1");
        QCOMPARE(f.gridCell(5, 1), QString());
        QCOMPARE(f.ws().flags().text()[4], '0');
    }

    void groupButtonsSaveAndLoad() {
        UiFixture f;
        QWidget* geo = Open(f, "Geo_Opt");
        Press(geo, "cmdGroup1_2");
        QCOMPARE(geo->findChild<QLabel*>(QStringLiteral("lblGroup"))->text(), QStringLiteral("3"));
        QCOMPARE(geo->findChild<QPushButton*>(QStringLiteral("cmdSaveGroup"))->text(),
                 QStringLiteral("&Save to Group 3"));
        Box(geo, 1)->click();  // natal Mercury off
        Press(geo, "cmdSaveGroup");
        QFile file(QString::fromStdString((f.folder.path() / "group3.sel").string()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral("sun-n")));
        QVERIFY(!text.contains(QStringLiteral("mercury-n")));
        QVERIFY(text.contains(QStringLiteral("mercury-t")));

        Box(geo, 1)->click();  // back on, then load group 3 again
        Press(geo, "cmdLoad");
        QVERIFY(!Box(geo, 1)->isChecked());

        Press(geo, "cmdGroup1_3");  // group 4 has no file
        Press(geo, "cmdLoad");
        QVERIFY(!f.messages.shown.empty());
        QCOMPARE(f.messages.shown.back().title, std::string("File not found"));
    }

    void crucialApplyNarrowsTheCrucialGrid() {
        UiFixture f;
        f.trigger("mnuMode1_Crucial");
        AspectGridWindow* grid =
            f.window->showGridWindow(static_cast<int>(GridWindow::LongAspectsCrucial));
        QWidget* crucial = Open(f, "Crucial_Opt");
        Box(crucial, 9)->click();  // natal Pluto off
        Press(crucial, "cmdOK");
        QCOMPARE(f.ws().groups.crucial.live.natal(10), false);
        for (const GridSection& section : grid->model().sections)
            for (const GridRow& row : section.rows) QVERIFY(row.body1 != 10 && row.body2 != 10);
    }

    void prioritiesShowGeneralUseAndApply() {
        UiFixture f;
        QWidget* window = Open(f, "PlanetPriorities_Opt");
        auto value = [&](int index) {
            return window->findChild<QLineEdit*>(QStringLiteral("txt3D_Values_%1").arg(index));
        };
        // GeneralUse.ord: sun 70 / 80, saturn 99 / 55, node 45 / 0.
        QCOMPARE(value(0)->text(), QStringLiteral("70"));
        QCOMPARE(value(BodyCount)->text(), QStringLiteral("80"));
        QCOMPARE(value(6)->text(), QStringLiteral("99"));
        QCOMPARE(value(BodyCount + 6)->text(), QStringLiteral("55"));
        QCOMPARE(value(BodyCount + 12)->text(), QStringLiteral("0"));
        value(0)->selectAll();
        QTest::keyClicks(value(0), QStringLiteral("x12"));
        Press(window, "cmdApply");
        QCOMPARE(f.ws().groups.priorities.natal(1), int16_t{12});
        Press(window, "cmdGroup1_5");  // group 6
        Press(window, "cmdSaveGroup");
        QFile file(QString::fromStdString((f.folder.path() / "group6.ord").string()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(QStringLiteral("n. sun=12")));
    }
};

QUINTARO_UI_TEST(OptionWindowsTest);

}  // namespace quintaro::test

#include "option_windows_test.moc"
