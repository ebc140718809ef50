// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "aspects/aspect_grid.h"
#include "ui/main_window.h"
#include "ui/wheel_window.h"

namespace quintaro {

double TimeRecalc(MainWindow& window, int rounds) {
    for (GridWindow grid : {GridWindow::Aspects, GridWindow::LongAspects, GridWindow::DeclAspects,
                            GridWindow::LongAspectsCrucial, GridWindow::DeclAspectsCrucial})
        window.showGridWindow(static_cast<int>(grid));
    window.showWheelWindow();
    window.mdiArea()->tileSubWindows();
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        window.controller().recalc();
        QCoreApplication::processEvents();  // the repaints
    }
    return rounds > 0 ? static_cast<double>(timer.nsecsElapsed()) / 1e6 / rounds : 0;
}

}  // namespace quintaro
