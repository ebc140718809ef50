// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>

#include "setup/entry_fields.h"
#include "trading/pivots.h"
#include "ui/field_edit.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// "frmPivot": a price file of the folder "pivots" in a table, the "Data Point #" that steps through
// its days, the seven pivot levels of the current day, a day's prices to append, and the levels of
// every day saved as a ".csv" file.
class PivotWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PivotWindow(WorkstationController& controller, QWidget* parent = nullptr);

    // The loaded file's table and current row; nothing before a file is loaded.
    const std::optional<PivotView>& view() const { return view_; }

    bool createFile();
    bool loadFile();
    bool load(const std::filesystem::path& file);
    bool append();
    void calculate();
    void now();
    void clear();
    bool saveCsv();
    // The date fields' spin buttons (month, day, year) and the data point's.
    void spinDate(EntryField field, int direction);
    void stepDataPoint(int direction);

  private:
    QString pivotFolder() const;
    void showTable();
    void showDataPoint();
    void takeDataPoint();
    PriceEntry entry() const;
    void report(const QString& text);
    void warn(const std::string& text);

    WorkstationController& controller_;
    std::optional<PivotView> view_;
    std::filesystem::path file_;
    FieldEdit *month_, *day_, *year_;
    std::array<QLineEdit*, 6> entries_{};
    std::array<QLineEdit*, 7> outputs_{};
    QLineEdit* dataPoint_;
    QLabel* lastDate_;
    QLabel* status_;
    QTableWidget* table_;
    QPushButton* appendTo_;
};

}  // namespace quintaro
