// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QCompleter>
#include <QLineEdit>
#include <QObject>
#include <QStringListModel>
#include <functional>
#include <string>
#include <vector>

#include "places/geo_place.h"

namespace quintaro {

// Completes a Place field from the atlas as the user types: after each edit the field asks
// `find` for the best places and offers them in a list; choosing one reports it.
class PlaceCompleter : public QObject {
    Q_OBJECT
  public:
    using Finder = std::function<std::vector<GeoPlace>(const std::string& typed)>;
    PlaceCompleter(QLineEdit* field, Finder find);

    QCompleter* completer() const { return completer_; }
    // The places offered for the last edit, in the list's order.
    const std::vector<GeoPlace>& offered() const { return offered_; }

  Q_SIGNALS:
    void chosen(const GeoPlace& place);

  private:
    void edited(const QString& text);
    void activated(const QModelIndex& index);

    QLineEdit* field_;
    Finder find_;
    QStringListModel* model_;
    QCompleter* completer_;
    std::vector<GeoPlace> offered_;
};

}  // namespace quintaro
