// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "synch/synch_day.h"
#include "ui/field_edit.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// "Synch_Ratings": the orbs of the four kinds, the synchronization files, the one-day search with
// its three panes (synchronizations by priority, natal and transit positions) and their save
// commands, the day-by-day run over a month into a ".sbd" file, and the buttons that open the
// small wheels once there are results.
class SynchRatingsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SynchRatingsWindow(WorkstationController& controller, QWidget* parent = nullptr);

    // The orb fields by their leading numbers.
    SynchOrbs orbs() const;
    // Pane 1 (synchronizations), 2 (natal) or 3 (transits).
    QPlainTextEdit* pane(int number) const { return panes_[static_cast<size_t>(number - 1)]; }

    // The buttons' commands.
    bool calculateOneDay();
    bool calculateForDays();

  private:
    QWidget* buildOrbs();
    QWidget* buildMonths();
    QWidget* buildButtons();
    QWidget* buildPanes();
    void stepMonth(FieldEdit* month, int direction);
    void showFiles();
    void showResults();
    void save(int pane);
    bool moveTransitMonth();

    WorkstationController& controller_;
    std::array<FieldEdit*, SynchKindCount> orbFields_{};
    FieldEdit* month_ = nullptr;
    FieldEdit* year_ = nullptr;
    FieldEdit* transitMonth_ = nullptr;
    FieldEdit* transitYear_ = nullptr;
    QListWidget* files_ = nullptr;
    std::array<QPlainTextEdit*, 3> panes_{};
    std::array<QPushButton*, 4> wheelButtons_{};
    std::array<QPushButton*, 3> saveButtons_{};
    QLabel* status_ = nullptr;
};

}  // namespace quintaro
