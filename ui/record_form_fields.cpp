// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/record_form_fields.h"

#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>

#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

void MarkProblem(QLineEdit* edit, const std::string& why) {
    edit->setStyleSheet(why.empty() ? QString() : QStringLiteral("background: #ffc8c8"));
    edit->setToolTip(Q(why));
}

}  // namespace

RecordFormFields::RecordFormFields(DatabaseController& database, RecordForm form, bool readOnly,
                                   QWidget* parent)
    : QWidget(parent), database_(database), form_(form) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (const FormField& field : FormFields(form)) {
        auto* label = new QLabel(Q(field.label), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(Q(field.control));
        edit->setMaxLength(static_cast<int>(field.width));
        edit->setReadOnly(readOnly || field.readOnly);
        label->setBuddy(edit);
        grid->addWidget(label, field.row, 2 * field.column);
        grid->addWidget(edit, field.row, 2 * field.column + 1);
        edits_[field.control] = edit;
        if (!edit->isReadOnly())
            connect(edit, &QLineEdit::textEdited, this,
                    [this, &field, edit] { edited(field, edit); });
    }
    connect(&database_, &DatabaseController::recordChanged, this, &RecordFormFields::refresh);
    connect(&database_, &DatabaseController::databaseChanged, this, &RecordFormFields::refresh);
    connect(&database_, &DatabaseController::fieldEdited, this, &RecordFormFields::showField);
    refresh();
}

QLineEdit* RecordFormFields::edit(const std::string& control) const {
    auto it = edits_.find(control);
    return it == edits_.end() ? nullptr : it->second;
}

void RecordFormFields::refresh() {
    const DatabaseView* view = database_.view();
    const bool loaded = view && view->current != 0;
    for (const FormField& field : FormFields(form_)) {
        QLineEdit* e = edits_.at(field.control);
        e->setText(loaded ? Q(field.read(view->record)) : QString());
        e->setEnabled(loaded);
        MarkProblem(e, {});
    }
}

void RecordFormFields::edited(const FormField& field, QLineEdit* edit) {
    MarkProblem(edit, database_.editField(field, edit->text()));
}

// Another window changed a field this one shows too (or one this field follows from).
void RecordFormFields::showField(const QString&) {
    const DatabaseView* view = database_.view();
    if (!view || view->current == 0) return;
    for (const FormField& field : FormFields(form_)) {
        QLineEdit* e = edits_.at(field.control);
        if (e->hasFocus() && !e->isReadOnly()) continue;  // the field being typed into
        if (!e->styleSheet().isEmpty()) continue;         // a text that cannot stand yet
        const QString text = Q(field.read(view->record));
        if (e->text() != text) e->setText(text);
    }
}

RecordNumberBox::RecordNumberBox(DatabaseController& database, QWidget* parent)
    : QLineEdit(parent), database_(database) {
    setObjectName(QStringLiteral("txtRecordNumber"));
    setValidator(new QIntValidator(0, 99999999, this));
    setMaximumWidth(100);
    connect(this, &QLineEdit::returnPressed, this, &RecordNumberBox::go);
    connect(&database_, &DatabaseController::recordChanged, this, &RecordNumberBox::refresh);
    connect(&database_, &DatabaseController::databaseChanged, this, &RecordNumberBox::refresh);
    refresh();
}

void RecordNumberBox::refresh() {
    const long number = database_.currentNumber();
    setText(number > 0 ? QString::number(number) : QString());
}

void RecordNumberBox::go() {
    bool ok = false;
    const long number = text().toLong(&ok);
    if (!ok || !database_.goTo(number)) refresh();
}

}  // namespace quintaro
