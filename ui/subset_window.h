// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QWidget>

#include "ui/database_controller.h"

namespace quintaro {

// "DatabaseSubsetCreation": the records of the subset being built, one name per line; the
// highlighted one can be taken out, and the subset saved as a new database.
class SubsetWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SubsetWindow(DatabaseController& database, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }
    void refresh();

  private:
    DatabaseController& database_;
    QListWidget* list_;
};

}  // namespace quintaro
