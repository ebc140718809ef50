// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QTableWidget>
#include <QWidget>

#include "database/person_listing.h"
#include "ui/database_controller.h"

namespace quintaro {

// "display_db_grid": every record of the current database in a grid, in record order; a click on
// the heading of the date or the number column sorts by it, a double click on a row makes that
// record the current one.
class DatabaseGridWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DatabaseGridWindow(DatabaseController& database, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }
    void sortBy(ListingOrder order);
    void refresh();

  private:
    DatabaseController& database_;
    QTableWidget* grid_;
    ListingOrder order_ = ListingOrder::Number;
};

}  // namespace quintaro
