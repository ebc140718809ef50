// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window's person-database and price-pivot commands, and the windows they open.
#include <QMenu>

#include "ui/database_grid_window.h"
#include "ui/edit_date_time_window.h"
#include "ui/list_database_window.h"
#include "ui/main_window.h"
#include "ui/person_window.h"
#include "ui/pivot_window.h"
#include "ui/search_window.h"
#include "ui/subset_window.h"

namespace quintaro {

namespace {

QWidget* MakeDatabaseWindow(const QString& name, DatabaseController& database,
                            WorkstationController& controller) {
    using Kind = ListDatabaseWindow::Kind;
    if (name == QLatin1String("display_personal")) return new PersonWindow(database);
    for (RecordForm form : SubRecordForms())
        if (name == QLatin1String(SubRecordWindowName(form).data()))
            return new SubRecordWindow(database, form);
    if (name == QLatin1String("display_db_grid")) return new DatabaseGridWindow(database);
    if (name == QLatin1String("Athletes_db_display_form"))
        return new ListDatabaseWindow(database, Kind::Athletes);
    if (name == QLatin1String("FTD_db_display_form"))
        return new ListDatabaseWindow(database, Kind::FirstTradeDates);
    if (name == QLatin1String("Edit_database_data_form")) return new EditDateTimeWindow(database);
    if (name == QLatin1String("DatabaseSubsetCreation")) return new SubsetWindow(database);
    if (name == QLatin1String("frmSearch")) return new SearchWindow(database);
    if (name == QLatin1String("frmPivot")) return new PivotWindow(controller);
    return nullptr;
}

}  // namespace

QWidget* MainWindow::showDatabaseWindow(const QString& name) {
    QPointer<QWidget>& child = children_[name];
    if (!child) {
        QWidget* window = MakeDatabaseWindow(name, *database_, controller_);
        if (!window) return nullptr;
        child = window;
        QMdiSubWindow* sub = addChild(window);
        sub->resize(window->size().expandedTo(window->sizeHint()));
    }
    child->parentWidget()->show();
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    return child;
}

void MainWindow::buildDatabaseMenu(QMenu* menu) {
    database_ = std::make_unique<DatabaseController>(controller_);
    database_->dialogParent = this;
    connect(database_.get(), &DatabaseController::windowWanted, this,
            [this](const QString& name) { showDatabaseWindow(name); });
    // Opens a database and shows it in a window; with no file chosen, the window shows the
    // current database if there is one.
    auto openInto = [this](const QString& window) {
        if (database_->openDatabase() || database_->view()) showDatabaseWindow(window);
    };
    addCommand(menu, QStringLiteral("Open database"), QStringLiteral("mnuFileOpenDB"),
               [openInto] { openInto(QStringLiteral("display_personal")); });
    addCommand(menu, QStringLiteral("Athletes database"),
               QStringLiteral("mnuAdvancedDatabase_Athletes"),
               [openInto] { openInto(QStringLiteral("Athletes_db_display_form")); });
    addCommand(menu, QStringLiteral("First trade date database"),
               QStringLiteral("mnuAdvancedDatabase_FTD"),
               [openInto] { openInto(QStringLiteral("FTD_db_display_form")); });
    addCommand(menu, QStringLiteral("Database grid"), QStringLiteral("mnuDatabaseGrid"), [this] {
        if (database_->view() || database_->openDatabase())
            showDatabaseWindow(QStringLiteral("display_db_grid"));
    });
    addCommand(menu, QStringLiteral("Search"), QStringLiteral("mnuSearch"),
               [this] { showDatabaseWindow(QStringLiteral("frmSearch")); });
    addCommand(menu, QStringLiteral("Create blank database"),
               QStringLiteral("mnuCreateBlankDatabase"),
               [this] { database_->createBlankDatabase(); });
    QMenu* lists = menu->addMenu(QStringLiteral("Create database from list"));
    lists->setObjectName(QStringLiteral("mnuCreateDatabase"));
    const std::tuple<ListKind, const char*, const char*> importers[] = {
        {ListKind::Mlb, "MLB players", "mnuCreateMLBPlayersDatabase"},
        {ListKind::Nba, "NBA players", "mnuCreateNBAPlayersDatabase"},
        {ListKind::Nfl, "NFL players", "mnuCreateNFLPlayersDatabase"},
        {ListKind::Nhl, "NHL players", "mnuCreateNHLPlayersDatabase"},
        {ListKind::Pitchers, "Baseball pitchers", "mnuCreateBBPitchersDatabase"},
        {ListKind::FirstTradeDates, "First trade dates", "mnuCreateFTDDatabase"}};
    for (const auto& [kind, caption, name] : importers) {
        const ListKind which = kind;
        addCommand(lists, QString::fromLatin1(caption), QString::fromLatin1(name),
                   [this, which] { database_->importList(which); });
    }
    menu->addSeparator();
    addCommand(menu, QStringLiteral("Price pivots"), QStringLiteral("mnuTradingToolsPivots"),
               [this] { showDatabaseWindow(QStringLiteral("frmPivot")); });
}

}  // namespace quintaro
