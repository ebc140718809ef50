// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include "ui/database_controller.h"

namespace quintaro {

// "frmSearch": a term, "Search", the records whose names hold it; a double click makes one the
// current record.
class SearchWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SearchWindow(DatabaseController& database, QWidget* parent = nullptr);
    QListWidget* results() const { return results_; }
    void search();

  private:
    DatabaseController& database_;
    QLineEdit* term_;
    QListWidget* results_;
    QLabel* reply_;
};

}  // namespace quintaro
