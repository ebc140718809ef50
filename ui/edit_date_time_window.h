// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include "ui/database_controller.h"

namespace quintaro {

// "Edit_database_data_form": the birth date and time of the current record. "Save" asks before it
// overwrites the loaded file ("Overwrite data in same file?"); answered no, it writes a copy of
// the database with the changed record into a file the user names.
class EditDateTimeWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EditDateTimeWindow(DatabaseController& database, QWidget* parent = nullptr);
    void refresh();
    bool save();

  private:
    DatabaseController& database_;
    QLabel* record_;
    QLineEdit *month_, *day_, *year_, *hour_, *minute_, *zone_;
    QRadioButton *am_, *pm_;
};

}  // namespace quintaro
