// SPDX-License-Identifier: AGPL-3.0-or-later
// The aspect grid windows: captions, section titles, rows that agree with the positions, the
// aspect class and display mode menus, the crucial selection and the refresh after a step.
#include <QCheckBox>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "angles.h"
#include "aspects/aspect_grid.h"
#include "ui/aspect_grid_window.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

using test::Separation;

struct ShownRow {
    QString title;  // the section it stands in
    QStringList cells;
};

// The aspect rows the window's table shows (title rows and column-title rows left out).
std::vector<ShownRow> AspectRows(AspectGridWindow& window) {
    std::vector<ShownRow> rows;
    QTableWidget* table = window.table();
    QString title;
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->columnSpan(r, 0) > 1) {
            title = table->item(r, 0)->text();
            continue;
        }
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c) cells << table->item(r, c)->text();
        if (cells[ColumnNumber] == QLatin1String("#")) continue;
        rows.push_back({title, cells});
    }
    return rows;
}

QStringList SectionTitles(AspectGridWindow& window) {
    QStringList titles;
    QTableWidget* table = window.table();
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->columnSpan(r, 0) > 1) titles << table->item(r, 0)->text();
    return titles;
}

// Angular distance of two longitudes, 0..180.

void EnterChristmas1990Date(UiFixture& f) {
    f.type(Section::Natal, EntryField::Month, QStringLiteral("12"));
    f.type(Section::Natal, EntryField::Day, QStringLiteral("25"));
    f.type(Section::Natal, EntryField::Year, QStringLiteral("1990"));
    f.click("cmdOK");
}

}  // namespace

class GridWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void eachWindowOpensWithItsCaptionAndSections_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("DataGrdLongAspects")
            << static_cast<int>(GridWindow::LongAspects) << "Combined Longitudes - geo + helio"
            << QStringList{"Longitudes", "Helio Longitudes"};
        QTest::newRow("DataGrdDeclAspects")
            << static_cast<int>(GridWindow::DeclAspects) << "Combined Declination/Latitudes"
            << QStringList{"Declinations", "Helio Latitudes"};
        QTest::newRow("DataGrdLongAspects_Crucial")
            << static_cast<int>(GridWindow::LongAspectsCrucial)
            << "Crucial Combined Longitudes - geo + helio"
            << QStringList{"Crucial Longitudes", "Crucial Helio Longitudes"};
        QTest::newRow("DataGrdDeclAspects_Crucial")
            << static_cast<int>(GridWindow::DeclAspectsCrucial)
            << "Crucial Combined Declination/Latitudes"
            << QStringList{"Crucial Declinations", "Crucial Helio Latitudes"};
        QTest::newRow("DataGrdAspects")
            << static_cast<int>(GridWindow::Aspects) << QString() << QStringList{"Geo Longitudes"};
    }
    void eachWindowOpensWithItsCaptionAndSections() {
        QFETCH(int, window);
        QFETCH(QString, caption);
        QFETCH(QStringList, titles);
        UiFixture f;
        EnterChristmas1990Date(f);
        AspectGridWindow* grid = f.window->showGridWindow(window);
        QVERIFY(grid);
        if (!caption.isEmpty()) QCOMPARE(grid->windowTitle(), caption);
        QStringList shown = SectionTitles(*grid);
        for (QString& t : shown) t = t.trimmed();
        QCOMPARE(shown, titles);
        f.window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(grid->parentWidget()));
        grid->parentWidget()->showMaximized();
        f.screenshot(QStringLiteral("grid_") + GridWindowName(static_cast<GridWindow>(window)));
    }

    void singleKindGridFollowsItsMenuAndTheHelioBox() {
        UiFixture f;
        EnterChristmas1990Date(f);
        f.trigger("mnuShowDataGrdAspectsDekLat");
        AspectGridWindow* grid = f.window->gridWindow(static_cast<int>(GridWindow::Aspects));
        QVERIFY(grid);
        QCOMPARE(grid->title(), QStringLiteral("Geo Declinations"));
        f.window->findChild<QCheckBox*>(QStringLiteral("chkHelio"))->click();
        f.click("cmdOK");
        QCOMPARE(grid->title(), QStringLiteral("Helio Latitudes"));
        f.trigger("mnuShowDataGrdAspects");
        QCOMPARE(grid->title(), QStringLiteral("Helio Longitudes"));
    }

    void longitudeRowsAgreeWithThePositions() {
        UiFixture f;
        EnterChristmas1990Date(f);
        AspectGridWindow* grid =
            f.window->showGridWindow(static_cast<int>(GridWindow::LongAspects));
        const std::vector<ShownRow> rows = AspectRows(*grid);
        QVERIFY(rows.size() > 3);
        const BodyCatalogue& catalogue = f.ws().catalogue;
        auto slotOf = [&](const QString& name) {
            for (int s = 1; s <= BodyCount; ++s)
                if (QString::fromStdString(PadName5(catalogue.BodyNames[static_cast<size_t>(s)]))
                        .trimmed()
                        .compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                    return s;
            return 0;
        };
        int checked = 0;
        for (const ShownRow& row : rows) {
            if (row.title.trimmed() != QLatin1String("Longitudes")) continue;
            const int a = slotOf(row.cells[ColumnBody1]), b = slotOf(row.cells[ColumnBody2]);
            QVERIFY2(a > 0 && b > 0, qPrintable(row.cells.join('|')));
            const double angle = row.cells[ColumnAspect].toDouble();
            const QString sep = row.cells[ColumnDegSep];
            QVERIFY2(
                QRegularExpression(QStringLiteral("^[asx] \\d+\\.\\d\\d$")).match(sep).hasMatch(),
                qPrintable(sep));
            const double orb = sep.mid(2).toDouble();
            const double actual = Separation(f.ws().record.Natal.GeoLong[static_cast<size_t>(a)],
                                             f.ws().record.Natal.GeoLong[static_cast<size_t>(b)]);
            QVERIFY2(std::fabs(std::fabs(actual - angle) - orb) < 0.006,
                     qPrintable(row.cells.join('|') + QStringLiteral(" sep %1").arg(actual)));
            QVERIFY(std::fabs(actual - angle) <= 3.0 + 1e-9);  // the "gl" orb
            ++checked;
        }
        QVERIFY(checked > 0);
    }

    void aspectClassMenuFiltersTheRows() {
        UiFixture f;
        EnterChristmas1990Date(f);
        AspectGridWindow* longs =
            f.window->showGridWindow(static_cast<int>(GridWindow::LongAspects));
        AspectGridWindow* decls =
            f.window->showGridWindow(static_cast<int>(GridWindow::DeclAspects));
        const size_t declRows = AspectRows(*decls).size();
        f.trigger("mnuCACQuintiles");
        for (const ShownRow& row : AspectRows(*longs))
            QVERIFY2(row.cells[ColumnAspect] == "072" || row.cells[ColumnAspect] == "144",
                     qPrintable(row.cells.join('|')));
        f.trigger("mnuCACNone");
        QCOMPARE(AspectRows(*longs).size(), size_t{0});
        QCOMPARE(AspectRows(*decls).size(), declRows);
        f.trigger("mnuCACAllAspects");
        for (const ShownRow& row : AspectRows(*longs))
            QVERIFY(row.cells[ColumnAspect] != "072" && row.cells[ColumnAspect] != "144");
        QVERIFY(AspectRows(*longs).size() > 0);
    }

    void transitModeAndCrucialSelection() {
        UiFixture f;
        EnterChristmas1990Date(f);
        f.window->findChild<QCheckBox*>(QStringLiteral("chkShowGrids"))->click();
        AspectGridWindow* longs = f.window->gridWindow(static_cast<int>(GridWindow::LongAspects));
        QVERIFY(longs);  // "Show grids" opened the combined grids
        f.trigger("mnuMode8");
        QTableWidget* table = longs->table();
        QCOMPARE(table->item(1, ColumnBody1)->text(), QStringLiteral("Tr"));

        f.trigger("mnuMode8_Crucial");
        AspectGridWindow* crucial =
            f.window->gridWindow(static_cast<int>(GridWindow::LongAspectsCrucial));
        QVERIFY(crucial);
        // The default crucial group: Venus, Neptune, Pluto and Chiron on both sides.
        const QStringList members = {"venus", "neptu", "pluto", "chiro"};
        for (const ShownRow& row : AspectRows(*crucial)) {
            QVERIFY2(members.contains(row.cells[ColumnBody1].trimmed().toLower()),
                     qPrintable(row.cells.join('|')));
            QVERIFY2(members.contains(row.cells[ColumnBody2].trimmed().toLower()),
                     qPrintable(row.cells.join('|')));
        }
    }

    void gridsFollowEveryComputation() {
        UiFixture f;
        EnterChristmas1990Date(f);
        f.trigger("mnuMode8");
        AspectGridWindow* longs =
            f.window->showGridWindow(static_cast<int>(GridWindow::LongAspects));
        auto texts = [&] {
            QStringList all;
            for (const ShownRow& row : AspectRows(*longs)) all << row.cells.join('|');
            return all;
        };
        const QStringList before = texts();
        f.typeOption(OptionField::Delta, QStringLiteral("40 d"));
        f.click("cmdNext");
        QVERIFY(texts() != before);
        QCOMPARE(texts(), [&] {
            QStringList fresh;
            const GridModel model = longs->model();
            for (const GridSection& section : model.sections)
                for (const GridRow& row : section.rows) {
                    QStringList cells;
                    for (const std::string& cell : row.cells) cells << GlyphDisplayText(cell);
                    fresh << cells.join('|');
                }
            return fresh;
        }());
    }
};

QUINTARO_UI_TEST(GridWindowsTest);

}  // namespace quintaro::test

#include "grid_windows_test.moc"
