// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/list_database_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "database/person_listing.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {}  // namespace

QString ListDatabaseCaption(ListDatabaseWindow::Kind kind, long count) {
    return (kind == ListDatabaseWindow::Kind::Athletes
                ? QStringLiteral("Athletes' database display window - ")
                : QStringLiteral("First trade date database display window - ")) +
           QString::number(count) + QStringLiteral(" records");
}

ListDatabaseWindow::ListDatabaseWindow(DatabaseController& database, Kind kind, QWidget* parent)
    : QWidget(parent), database_(database), kind_(kind), names_(new QListWidget(this)) {
    setObjectName(kind == Kind::Athletes ? QStringLiteral("Athletes_db_display_form")
                                         : QStringLiteral("FTD_db_display_form"));
    names_->setObjectName(QStringLiteral("NamesOnFile"));
    names_->setMinimumWidth(220);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Record #"), this));
    top->addWidget(new RecordNumberBox(database_, this));
    auto* previous = NamedButton("<", "cmdPreviousNext0", this);
    auto* next = NamedButton(">", "cmdPreviousNext1", this);
    top->addWidget(previous);
    top->addWidget(next);
    top->addStretch(1);

    auto* record = new QVBoxLayout;
    record->addWidget(new RecordFormFields(database_, RecordForm::Person, true, this));
    record->addWidget(new RecordFormFields(database_, RecordForm::BirthData, true, this));
    auto* values = new QWidget;
    auto* grid = new QGridLayout(values);
    for (int k = 0; k < 30; ++k) {
        auto* label = new QLabel(values);
        label->setObjectName(QStringLiteral("lblData%1").arg(k));
        auto* text = new QLineEdit(values);
        text->setObjectName(QStringLiteral("txtData%1").arg(k));
        text->setReadOnly(true);
        grid->addWidget(label, k, 0);
        grid->addWidget(text, k, 1);
        dataLabels_[static_cast<size_t>(k)] = label;
        dataTexts_[static_cast<size_t>(k)] = text;
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(values);
    scroll->setWidgetResizable(true);
    record->addWidget(scroll, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(names_);
    body->addLayout(record, 1);

    auto* commands = new QGridLayout;
    auto* editDate = NamedButton("Edit/Save DATE for this record", "cmdEditDate", this);
    auto* editTime = NamedButton("Edit/Save TIME for this record", "cmdEditTime", this);
    auto* transfer = NamedButton("Transfer birth date", "cmdTransferBirthDate", this);
    auto* create = NamedButton("Create subset", "cmdCreateSubset", this);
    auto* add = NamedButton("Add to subset", "cmdAddToSubset", this);
    auto* change = NamedButton("Change subset", "cmdChangeSubset", this);
    commands->addWidget(editDate, 0, 0);
    commands->addWidget(editTime, 0, 1);
    commands->addWidget(transfer, 0, 2);
    commands->addWidget(create, 1, 0);
    commands->addWidget(add, 1, 1);
    commands->addWidget(change, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    layout->addLayout(commands);

    connect(previous, &QPushButton::clicked, this, [this] { database_.step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { database_.step(+1); });
    auto editor = [this] {
        Q_EMIT database_.windowWanted(QStringLiteral("Edit_database_data_form"));
    };
    connect(editDate, &QPushButton::clicked, this, editor);
    connect(editTime, &QPushButton::clicked, this, editor);
    connect(transfer, &QPushButton::clicked, this, [this] { database_.transferBirthDate(); });
    connect(create, &QPushButton::clicked, this, [this] { database_.createSubset(); });
    connect(add, &QPushButton::clicked, this, [this] { database_.addToSubset(); });
    connect(change, &QPushButton::clicked, this,
            [this] { Q_EMIT database_.windowWanted(QStringLiteral("DatabaseSubsetCreation")); });
    connect(names_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!database_.goTo(item->data(Qt::UserRole).toLongLong())) refreshRecord();
    });
    connect(&database_, &DatabaseController::databaseChanged, this, [this] {
        refreshCaption();
        refreshNames();
    });
    connect(&database_, &DatabaseController::recordSaved, this, &ListDatabaseWindow::refreshNames);
    connect(&database_, &DatabaseController::recordChanged, this,
            &ListDatabaseWindow::refreshRecord);
    refreshCaption();
    refreshNames();
    resize(900, 640);
}

void ListDatabaseWindow::refreshCaption() {
    const DatabaseView* view = database_.view();
    setWindowTitle(ListDatabaseCaption(kind_, view ? view->count : 0));
}

void ListDatabaseWindow::refreshNames() {
    names_->clear();
    const DatabaseView* view = database_.view();
    if (!view) return;
    std::string error;
    auto listing = ReadListing(view->file, error);
    if (!listing) return;
    SortListing(listing->people, ListingOrder::Name);
    for (const PersonSummary& person : listing->people) {
        auto* item = new QListWidgetItem(QString::fromStdString(person.primaryName), names_);
        item->setData(Qt::UserRole, static_cast<qlonglong>(person.number));
    }
    refreshRecord();
}

void ListDatabaseWindow::refreshRecord() {
    const DatabaseView* view = database_.view();
    const bool loaded = view && view->current != 0;
    for (size_t k = 0; k < dataTexts_.size(); ++k) {
        const HistoricalDatum* datum = loaded ? &view->record.historicalData[k] : nullptr;
        const bool shown = datum && (!datum->comment.empty() || !datum->data.empty());
        dataLabels_[k]->setText(shown ? QString::fromStdString(datum->comment) : QString());
        dataTexts_[k]->setText(shown ? QString::fromStdString(datum->data) : QString());
        dataLabels_[k]->setVisible(shown);
        dataTexts_[k]->setVisible(shown);
    }
    const long number = loaded ? view->current : 0;
    for (int row = 0; row < names_->count(); ++row) {
        if (names_->item(row)->data(Qt::UserRole).toLongLong() == number) {
            const QSignalBlocker quiet(names_);
            names_->setCurrentRow(row);
            break;
        }
    }
}

}  // namespace quintaro
