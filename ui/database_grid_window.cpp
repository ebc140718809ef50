// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/database_grid_window.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "database/database_grid.h"

namespace quintaro {

DatabaseGridWindow::DatabaseGridWindow(DatabaseController& database, QWidget* parent)
    : QWidget(parent), database_(database), grid_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("display_db_grid"));
    grid_->setObjectName(QStringLiteral("grdDatabase"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == GridNumberColumn) sortBy(ListingOrder::Number);
        if (column == GridDateColumn) sortBy(ListingOrder::BirthDate);
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        QTableWidgetItem* item = grid_->item(row, GridNumberColumn);
        if (item) database_.goTo(item->data(Qt::UserRole).toLongLong());
    });
    connect(&database_, &DatabaseController::databaseChanged, this, &DatabaseGridWindow::refresh);
    connect(&database_, &DatabaseController::recordSaved, this, &DatabaseGridWindow::refresh);
    refresh();
    resize(820, 480);
}

void DatabaseGridWindow::sortBy(ListingOrder order) {
    order_ = order;
    refresh();
}

void DatabaseGridWindow::refresh() {
    const DatabaseView* view = database_.view();
    setWindowTitle(QString::fromStdString(DatabaseGridCaption(view ? view->file.string() : "")));
    grid_->clearContents();
    grid_->setRowCount(0);
    if (!view) return;
    std::string error;
    auto listing = ReadListing(view->file, error);
    if (!listing) {
        database_.session().workstation.messages.show("Warning!", error, MessageIcon::Exclamation);
        return;
    }
    const DatabaseGrid table = BuildDatabaseGrid(std::move(listing->people), order_);
    grid_->setColumnCount(static_cast<int>(table.headings.size()));
    QStringList headings;
    for (const std::string& heading : table.headings) headings << QString::fromStdString(heading);
    grid_->setHorizontalHeaderLabels(headings);
    grid_->setRowCount(static_cast<int>(table.rows.size()));
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(table.rows[r][c]));
            if (c == GridNumberColumn)
                item->setData(Qt::UserRole, static_cast<qlonglong>(table.numbers[r]));
            grid_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    grid_->resizeColumnsToContents();
}

}  // namespace quintaro
