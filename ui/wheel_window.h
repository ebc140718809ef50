// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QWidget>

#include "app/wheel_input_builder.h"
#include "ui/workstation_controller.h"
#include "wheels/wheel_layout.h"

namespace quintaro {

// The wheel window "Chartwheels": draws the wheel on every paint (so also after a resize and
// after every computation, which asks for a repaint), reports the body under a click and puts
// its clipboard text on the clipboard.
class WheelWindow : public QWidget {
    Q_OBJECT
  public:
    WheelWindow(WorkstationController& controller, QWidget* parent = nullptr);

    WheelView& view() { return view_; }
    // The wheel as the window would draw it now, for a device of the given size.
    WheelInput input(const WheelTarget& target) const;
    const WheelLayout& layout() const { return layout_; }
    QString report() const { return report_->text(); }
    // A click at a point of the drawing area (device pixels): the report and the clipboard.
    void clickAt(QPointF at);
    QWidget* canvas() const { return canvas_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paintCanvas();

    WorkstationController& controller_;
    WheelView view_;
    WheelLayout layout_;
    QWidget* canvas_;
    QLabel* report_;
};

}  // namespace quintaro
