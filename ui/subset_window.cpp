// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/subset_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/person_listing.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

QString Line(const PersonSummary& person) {
    return QString::number(person.number) + QStringLiteral("  ") +
           QString::fromStdString(person.primaryName);
}

}  // namespace

SubsetWindow::SubsetWindow(DatabaseController& database, QWidget* parent)
    : QWidget(parent), database_(database), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("DatabaseSubsetCreation"));
    list_->setObjectName(QStringLiteral("lstSubset"));
    auto* remove = NamedButton("Delete highlighted name", "cmdDeleteHighlightedName", this);
    auto* save = NamedButton("Save subset", "cmdSaveSubset", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    connect(remove, &QPushButton::clicked, this,
            [this] { database_.removeFromSubset(list_->currentRow()); });
    connect(save, &QPushButton::clicked, this, [this] { database_.saveSubset(); });
    connect(&database_, &DatabaseController::subsetChanged, this, &SubsetWindow::refresh);
    refresh();
    resize(420, 360);
}

void SubsetWindow::refresh() {
    setWindowTitle(QString::fromStdString(SubsetCaption(database_.session())));
    list_->clear();
    const DatabaseView* view = database_.view();
    const std::vector<long>& subset = database_.state().subset;
    if (!view || subset.empty()) return;
    std::string error;
    auto listing = ReadListing(view->file, error);
    for (long number : subset) {
        const bool known =
            listing && number >= 1 && number <= static_cast<long>(listing->people.size());
        list_->addItem(known ? Line(listing->people[static_cast<size_t>(number - 1)])
                             : QString::number(number));
    }
}

}  // namespace quintaro
