// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "ui/predictive_fields.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// "ProgressForm": the secondary-progressed chart for the target date into the entry window's
// transit section ("Calculate").
class ProgressForm : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressForm(WorkstationController& controller, QWidget* parent = nullptr);
    PredictiveFields* fields() const { return fields_; }
    void calculate();

  private:
    WorkstationController& controller_;
    PredictiveFields* fields_;
    QLabel* result_;
};

// "SolarArcForm": while it is open the solar-arc mode is on and the transit chart is the natal
// chart moved by the arcs of the progressed Sun. "Recalc" measures the arcs, writes the directed
// chart's name and date into the transit section and recomputes; "Transfer to transit" only writes
// them. Closing the window turns the mode off and recomputes.
class SolarArcForm : public QWidget {
    Q_OBJECT
  public:
    explicit SolarArcForm(WorkstationController& controller, QWidget* parent = nullptr);
    ~SolarArcForm() override;
    PredictiveFields* fields() const { return fields_; }
    void recalc();
    void transfer();

  private:
    bool direct();

    WorkstationController& controller_;
    PredictiveFields* fields_;
    QLabel* result_;
};

// "ReturnsForm": the solar or the lunar return (optReturnsType) into the transit section.
class ReturnsForm : public QWidget {
    Q_OBJECT
  public:
    explicit ReturnsForm(WorkstationController& controller, QWidget* parent = nullptr);
    PredictiveFields* fields() const { return fields_; }
    void calculate();

  private:
    WorkstationController& controller_;
    PredictiveFields* fields_;
    QLabel* result_;
};

// "SiderealForm": while it is open every position is sidereal, by the sidereal vernal point or
// the true ayanamsa (optSiderealType). "Calculate" recomputes with the chosen kind; closing the
// window turns the mode off and recomputes.
class SiderealForm : public QWidget {
    Q_OBJECT
  public:
    explicit SiderealForm(WorkstationController& controller, QWidget* parent = nullptr);
    ~SiderealForm() override;
    void calculate();

  private:
    WorkstationController& controller_;
    QRadioButton* types_[2];
};

}  // namespace quintaro
