// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <QWidget>

#include "app/small_wheels.h"
#include "ui/workstation_controller.h"
#include "wheels/wheel_layout.h"

namespace quintaro {

// A small wheel of one synchronization or one symmetrical pattern ("wheels_small_geo",
// "wheels_small_helio", "wheels_small_sym_geo", "wheels_small_sym_helio"): the chart wheel with
// only the entry's bodies, stepped forward and backward through the list, the caption naming the
// entry, the degrees on or off, a click report, printing, and for the synchronization wheels the
// interpretations of the entry once they exist.
class SmallWheelWindow : public QWidget {
    Q_OBJECT
  public:
    SmallWheelWindow(WorkstationController& controller, SmallWheel wheel,
                     QWidget* parent = nullptr);

    // Shows entry `index` of the list, in mode 1 (synchronizations by priority) or 0 (as found).
    void open(int mode, int index);
    const SmallWheelPosition& position() const { return position_; }
    void forward() { step(+1); }
    void backward() { step(-1); }
    void toggleDegrees();
    // The menu command with this object name ("mnuForward"), or nullptr.
    QAction* command(const QString& name) const;

    WheelInput input(const WheelTarget& target) const;
    const WheelLayout& layout() const { return layout_; }
    QWidget* canvas() const { return canvas_; }
    QString report() const { return report_->text(); }
    // A click at a point of the drawing area (device pixels): the report below the wheel.
    void clickAt(QPointF at);
    // Draws the wheel on one printer page; false when the printer cannot take it.
    bool print(QPrinter& printer) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void step(int direction);
    void refresh();
    void paintCanvas();
    void printWithDialog();
    void openInterpretations();

    WorkstationController& controller_;
    SmallWheelPosition position_;
    WheelLayout layout_;
    QWidget* canvas_;
    QLabel* report_;
    QAction* degrees_ = nullptr;
    QAction* interpretations_ = nullptr;
};

}  // namespace quintaro
