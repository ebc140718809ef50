// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "ui/field_edit.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// "Symmetry_form": the symmetrical patterns among the synchronization members, with the heading
// that names where the members come from, the patterns listed, and the buttons that open the
// small symmetry wheels once there are results.
class SymmetryWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SymmetryWindow(WorkstationController& controller, QWidget* parent = nullptr);

    bool calculate();  // cmdCalcSymmetricalPatterns
    QString heading() const { return heading_->text(); }
    QPlainTextEdit* patterns() const { return patterns_; }

  private:
    void showResults();

    WorkstationController& controller_;
    QLabel* heading_;
    QPlainTextEdit* patterns_ = nullptr;
    std::array<QPushButton*, 4> wheelButtons_{};
};

// "frmSetSymOrbs": the geocentric and heliocentric orbs of the symmetrical patterns, shown with
// two decimals and kept on Apply.
class SymmetryOrbsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SymmetryOrbsWindow(WorkstationController& controller, QWidget* parent = nullptr);
    void apply();  // cmdApply

  private:
    void showOrbs();

    WorkstationController& controller_;
    FieldEdit* geo_;
    FieldEdit* helio_;
};

}  // namespace quintaro
