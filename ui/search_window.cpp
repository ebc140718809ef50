// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/search_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/database_texts.h"

namespace quintaro {

namespace {

QString Line(const PersonSummary& person) {
    return QString::number(person.number) + QStringLiteral("  ") +
           QString::fromStdString(person.primaryName);
}

}  // namespace

SearchWindow::SearchWindow(DatabaseController& database, QWidget* parent)
    : QWidget(parent),
      database_(database),
      term_(new QLineEdit(this)),
      results_(new QListWidget(this)),
      reply_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QString::fromLatin1(kSearchCaption.data(), kSearchCaption.size()));
    term_->setObjectName(QStringLiteral("txtSearch"));
    results_->setObjectName(QStringLiteral("lstResults"));
    reply_->setObjectName(QStringLiteral("lblResult"));
    auto* search = new QPushButton(QStringLiteral("Search"), this);
    search->setObjectName(QStringLiteral("cmdSearch"));
    auto* row = new QHBoxLayout;
    row->addWidget(term_, 1);
    row->addWidget(search);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(reply_);
    layout->addWidget(results_, 1);
    connect(search, &QPushButton::clicked, this, &SearchWindow::search);
    connect(term_, &QLineEdit::returnPressed, this, &SearchWindow::search);
    connect(results_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (database_.goTo(item->data(Qt::UserRole).toLongLong()))
            Q_EMIT database_.windowWanted(QStringLiteral("display_personal"));
    });
    resize(420, 360);
}

void SearchWindow::search() {
    results_->clear();
    auto outcome = SearchCurrentDatabase(database_.session(), term_->text().toStdString());
    if (!outcome) {
        reply_->clear();
        return;
    }
    reply_->setText(QString::fromStdString(outcome->reply));
    for (const PersonSummary& person : outcome->found) {
        auto* item = new QListWidgetItem(Line(person), results_);
        item->setData(Qt::UserRole, static_cast<qlonglong>(person.number));
    }
}

}  // namespace quintaro
