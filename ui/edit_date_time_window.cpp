// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/edit_date_time_window.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintaro {

namespace {

QLineEdit* Field(const char* name, int width, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(width);
    edit->setMaximumWidth(80);
    return edit;
}

}  // namespace

EditDateTimeWindow::EditDateTimeWindow(DatabaseController& database, QWidget* parent)
    : QWidget(parent),
      database_(database),
      record_(new QLabel(this)),
      month_(Field("txtMonth", 2, this)),
      day_(Field("txtDay", 2, this)),
      year_(Field("txtYear", 4, this)),
      hour_(Field("txtBirthHour", 2, this)),
      minute_(Field("txtBirthMinute", 2, this)),
      zone_(Field("txtBirthTZ", 6, this)),
      am_(new QRadioButton(QStringLiteral("AM"), this)),
      pm_(new QRadioButton(QStringLiteral("PM"), this)) {
    setObjectName(QStringLiteral("Edit_database_data_form"));
    setWindowTitle(QStringLiteral("Edit date and time of a database record"));
    record_->setObjectName(QStringLiteral("lblRecord"));
    am_->setObjectName(QStringLiteral("optAM"));
    pm_->setObjectName(QStringLiteral("optPM"));
    for (QLineEdit* digits : {month_, day_, year_, hour_, minute_})
        digits->setValidator(new QIntValidator(0, 9999, digits));
    auto* group = new QButtonGroup(this);
    group->addButton(am_);
    group->addButton(pm_);

    auto* date = new QHBoxLayout;
    for (QLineEdit* edit : {month_, day_, year_}) date->addWidget(edit);
    auto* time = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{hour_, minute_, am_, pm_}) time->addWidget(w);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Record"), record_);
    form->addRow(QStringLiteral("Date (month, day, year)"), date);
    form->addRow(QStringLiteral("Time (hour, minute)"), time);
    form->addRow(QStringLiteral("Time zone"), zone_);
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    auto closeWindow = [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    };
    connect(save, &QPushButton::clicked, this, [this, closeWindow] {
        if (this->save()) closeWindow();
    });
    connect(cancel, &QPushButton::clicked, this, closeWindow);
    connect(&database_, &DatabaseController::recordChanged, this, &EditDateTimeWindow::refresh);
    connect(&database_, &DatabaseController::databaseChanged, this, &EditDateTimeWindow::refresh);
    refresh();
}

void EditDateTimeWindow::refresh() {
    const DatabaseView* view = database_.view();
    const bool loaded = view && view->current != 0;
    setEnabled(loaded);
    if (!loaded) {
        record_->setText(QStringLiteral("no record"));
        return;
    }
    record_->setText(QString::number(view->current) + QStringLiteral("  ") +
                     QString::fromStdString(view->record.primaryName));
    const DateTimeEntry entry = DateTimeEntryOf(view->record);
    month_->setText(QString::fromStdString(entry.month));
    day_->setText(QString::fromStdString(entry.day));
    year_->setText(QString::fromStdString(entry.year));
    hour_->setText(QString::fromStdString(entry.hour));
    minute_->setText(QString::fromStdString(entry.minute));
    zone_->setText(QString::fromStdString(entry.zone));
    (entry.pm ? pm_ : am_)->setChecked(true);
}

bool EditDateTimeWindow::save() {
    DateTimeEntry entry;
    entry.month = month_->text().toStdString();
    entry.day = day_->text().toStdString();
    entry.year = year_->text().toStdString();
    entry.hour = hour_->text().toStdString();
    entry.minute = minute_->text().toStdString();
    entry.pm = pm_->isChecked();
    entry.zone = zone_->text().toStdString();
    return database_.saveDateTime(entry);
}

}  // namespace quintaro
