// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window's small child windows, opened by name and kept until closed.
#include "ui/duo_wheel_window.h"
#include "ui/filter_windows.h"
#include "ui/house_wheel_window.h"
#include "ui/main_window.h"
#include "ui/option_windows.h"
#include "ui/predictive_windows.h"

namespace quintaro {

namespace {

QWidget* MakeChildWindow(const QString& name, WorkstationController& controller) {
    if (name == QLatin1String("frmTimeOrbFilter")) return new TimeOrbWindow(controller);
    if (name == QLatin1String("frmApplyingOnly")) return new ApplyingOnlyWindow(controller);
    if (name == QLatin1String("Wheels_2")) return MakeDuoWheelWindow(controller);
    if (name == QLatin1String("wheels_small_geo_houses")) return MakeHouseWheelWindow(controller);
    if (name == QLatin1String("ProgressForm")) return new ProgressForm(controller);
    if (name == QLatin1String("SolarArcForm")) return new SolarArcForm(controller);
    if (name == QLatin1String("ReturnsForm")) return new ReturnsForm(controller);
    if (name == QLatin1String("SiderealForm")) return new SiderealForm(controller);
    return MakeOptionWindow(name, controller);
}

}  // namespace

QWidget* MainWindow::showChildWindow(const QString& name) {
    QPointer<QWidget>& child = children_[name];
    if (!child) {
        QWidget* window = MakeChildWindow(name, controller_);
        if (!window) return nullptr;
        child = window;
        addChild(window)->adjustSize();
    }
    child->parentWidget()->show();
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    return child;
}

}  // namespace quintaro
