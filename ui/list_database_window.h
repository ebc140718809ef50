// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <array>

#include "ui/database_controller.h"
#include "ui/record_form_fields.h"

namespace quintaro {

// "Athletes_db_display_form" and "FTD_db_display_form": the databases the list importers build.
// The record with its birth data and labelled values, the names list, the date and time editor,
// "Transfer birth date" and the subset buttons.
class ListDatabaseWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { Athletes, FirstTradeDates };
    ListDatabaseWindow(DatabaseController& database, Kind kind, QWidget* parent = nullptr);

    QListWidget* names() const { return names_; }
    // The caption and text box of labelled value k (0 to 29): lblData / txtData.
    QLabel* dataLabel(int k) const { return dataLabels_[static_cast<size_t>(k)]; }
    QLineEdit* dataText(int k) const { return dataTexts_[static_cast<size_t>(k)]; }

  private:
    void refreshCaption();
    void refreshNames();
    void refreshRecord();

    DatabaseController& database_;
    Kind kind_;
    QListWidget* names_;
    std::array<QLabel*, 30> dataLabels_{};
    std::array<QLineEdit*, 30> dataTexts_{};
};

// "Athletes' database display window - " + count + " records", and the first-trade-date one.
QString ListDatabaseCaption(ListDatabaseWindow::Kind kind, long count);

}  // namespace quintaro
