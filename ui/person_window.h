// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QWidget>

#include "ui/database_controller.h"
#include "ui/record_form_fields.h"

namespace quintaro {

// "display_personal": one person of the current database with "<" and ">", "Save Record",
// "Transfer birth date", "Close All", the buttons of the eight sub-record windows and "Display all
// alphabetically".
class PersonWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PersonWindow(DatabaseController& database, QWidget* parent = nullptr);
    RecordFormFields* fields() const { return fields_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void refreshCaption();

    DatabaseController& database_;
    RecordFormFields* fields_;
    QCheckBox* alphabetical_;
};

// One of the eight sub-record windows ("Name changes", "Birth data changes", ...): the record
// number, the form's fields and "Save Record"; the numeric historical data window also has
// "Transfer data to main screen".
class SubRecordWindow : public QWidget {
    Q_OBJECT
  public:
    SubRecordWindow(DatabaseController& database, RecordForm form, QWidget* parent = nullptr);
    RecordFormFields* fields() const { return fields_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void refreshCaption();

    DatabaseController& database_;
    RecordForm form_;
    RecordFormFields* fields_;
};

}  // namespace quintaro
