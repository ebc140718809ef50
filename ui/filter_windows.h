// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QRadioButton>
#include <QWidget>

#include "ui/field_edit.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// The time-orb filter window "frmTimeOrbFilter": while open, the filter is active; days, hours
// and minutes with their spinners, "On"/"Off", and "Reset time orb" to recompute.
class TimeOrbWindow : public QWidget {
    Q_OBJECT
  public:
    TimeOrbWindow(WorkstationController& controller, QWidget* parent = nullptr);
    ~TimeOrbWindow() override;

    FieldEdit* days() const { return days_; }
    FieldEdit* hours() const { return hours_; }
    FieldEdit* minutes() const { return minutes_; }
    QRadioButton* on() const { return on_; }
    void resetTimeOrb();

  private:
    void showFilter();
    void keepInSettings();

    WorkstationController& controller_;
    FieldEdit *days_, *hours_, *minutes_;
    QRadioButton *on_, *off_;
};

// The applying-only window "frmApplyingOnly": the wheels draw only applying aspects while it is
// open, with one line thickness or variable ones.
class ApplyingOnlyWindow : public QWidget {
    Q_OBJECT
  public:
    ApplyingOnlyWindow(WorkstationController& controller, QWidget* parent = nullptr);
    ~ApplyingOnlyWindow() override;

  private:
    WorkstationController& controller_;
};

}  // namespace quintaro
