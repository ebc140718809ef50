// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/place_completer.h"

#include <QAbstractItemView>

namespace quintaro {

namespace {

constexpr size_t kOffered = 10;

QString Offer(const GeoPlace& place) {
    QString text = QString::fromStdString(PlaceLabel(place));
    if (place.own) text += QStringLiteral("  (your place)");
    return text;
}

}  // namespace

PlaceCompleter::PlaceCompleter(QLineEdit* field, Finder find)
    : QObject(field),
      field_(field),
      find_(std::move(find)),
      model_(new QStringListModel(this)),
      completer_(new QCompleter(model_, this)) {
    // The atlas does the matching; the list shows what it found, in its order.
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(static_cast<int>(kOffered));
    completer_->setWidget(field_);
    connect(field_, &QLineEdit::textEdited, this, &PlaceCompleter::edited);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &PlaceCompleter::activated);
}

void PlaceCompleter::edited(const QString& text) {
    offered_ = text.trimmed().size() < 2 ? std::vector<GeoPlace>{} : find_(text.toStdString());
    if (offered_.size() > kOffered) offered_.resize(kOffered);
    QStringList rows;
    for (const GeoPlace& place : offered_) rows << Offer(place);
    model_->setStringList(rows);
    if (rows.isEmpty()) {
        completer_->popup()->hide();
    } else {
        completer_->complete();
    }
}

void PlaceCompleter::activated(const QModelIndex& index) {
    const auto row = static_cast<size_t>(index.row());
    if (index.row() < 0 || row >= offered_.size()) return;
    const GeoPlace place = offered_[row];
    Q_EMIT chosen(place);
}

}  // namespace quintaro
