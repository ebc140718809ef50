// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QMenuBar>
#include <QWidget>
#include <vector>

#include "app/styled_wheel_builder.h"
#include "ui/workstation_controller.h"
#include "wheels/wheel_layout.h"
#include "wheels/wheel_styles.h"

namespace quintaro {

// Which wheel window: "Chartwheels", which draws any style chosen in its Style menu; the duo
// window "Duo Chartwheels" (Wheels_2); the house wheel window (wheels_small_geo_houses) with its
// house-system menu.
enum class WheelWindowKind { Chartwheels, Duo, House };

// A wheel window: draws its wheel on every paint (so also after a resize and after every
// computation, which asks for a repaint), reports the body under a click and puts its clipboard
// text on the clipboard, and tells the user once of each body the house wheel had to leave out.
class WheelWindow : public QWidget {
    Q_OBJECT
  public:
    WheelWindow(WorkstationController& controller, QWidget* parent = nullptr,
                WheelWindowKind kind = WheelWindowKind::Chartwheels);

    WheelView& view() { return view_.view; }
    const StyledWheelView& styledView() const { return view_; }
    void chooseStyle(WheelStyle style);
    void chooseHouseSystem(HouseSystem system);
    // The wheel as the window would draw it now, for a device of the given size.
    StyledWheel wheel(const WheelTarget& target) const;
    WheelInput input(const WheelTarget& target) const { return wheel(target).input; }
    // Where the last paint put the glyphs: the first (or only) wheel, and all of them.
    const WheelLayout& layout() const;
    const StyledWheelLayout& styledLayout() const { return layout_; }
    QString report() const { return report_->text(); }
    // A click at a point of the drawing area (device pixels): the report and the clipboard.
    void clickAt(QPointF at);
    QWidget* canvas() const { return canvas_; }
    // Prints the wheel through the print dialog.
    void printWheel();

    QSize sizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus(QMenuBar* bar);
    void buildChoices(QWidget* row);
    void paintCanvas();
    void tellLeftOut();

    WorkstationController& controller_;
    WheelWindowKind kind_;
    StyledWheelView view_;
    StyledWheelLayout layout_;
    std::vector<std::pair<int, int>> toldLeftOut_;  // (body, house) already told
    QWidget* canvas_;
    QLabel* report_;
};

// The caption of a house-system menu entry and its object name ("Equal Ascendant",
// "mnuHouseEqualAsc"), in the order of the menu.
struct HouseSystemMenuEntry {
    HouseSystem system;
    const char* objectName;
};
const std::vector<HouseSystemMenuEntry>& HouseSystemMenu();

}  // namespace quintaro
