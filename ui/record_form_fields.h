// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "database/record_forms.h"
#include "ui/database_controller.h"

namespace quintaro {

// The fields of one record form laid out in a grid, each with its caption: they show the current
// record and, unless read-only, put what is typed into it. A text that cannot stand in the record
// turns its field red and keeps the record from being saved until it is put right.
class RecordFormFields : public QWidget {
    Q_OBJECT
  public:
    RecordFormFields(DatabaseController& database, RecordForm form, bool readOnly = false,
                     QWidget* parent = nullptr);
    // The edit of a control ("txtFirstName"), or nullptr.
    QLineEdit* edit(const std::string& control) const;
    // Shows the current record in every field.
    void refresh();

  private:
    void edited(const FormField& field, QLineEdit* edit);
    void showField(const QString& control);

    DatabaseController& database_;
    RecordForm form_;
    std::map<std::string, QLineEdit*> edits_;
};

// "txtRecordNumber": shows the current record's number; a number typed and confirmed with Enter
// loads that record, one that cannot be loaded puts the current number back.
class RecordNumberBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit RecordNumberBox(DatabaseController& database, QWidget* parent = nullptr);
    void refresh();

  private:
    void go();

    DatabaseController& database_;
};

}  // namespace quintaro
