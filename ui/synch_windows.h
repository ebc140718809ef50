// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include "app/small_wheels.h"
#include "ui/workstation_controller.h"

namespace quintaro {

class SmallWheelWindow;

// The synchronization windows the main window opens by name: "Synch_Ratings", "Symmetry_form",
// "frmSetSymOrbs"; nullptr for other names.
QWidget* MakeSynchWindow(const QString& name, WorkstationController& controller);

// The "Load synchronization file data" dialog (several ".syn" files); the chosen files become the
// session's. False when the user cancelled or the first file cannot be used.
bool ChooseSynchFiles(WorkstationController& controller);

// Shows a small wheel in the frame the window `from` lives in (a window of its own when there is
// none), reusing the one already open for that wheel, at the given mode and entry.
SmallWheelWindow* ShowSmallWheel(QWidget* from, WorkstationController& controller, SmallWheel wheel,
                                 int mode, int index);

// Opens one of the main window's child windows ("Syn_Opt", "PlanetPriorities_Opt") from a window
// inside it.
void ShowMainChildWindow(QWidget* from, const QString& name);

// A read-only text pane in a fixed-pitch font ("Courier New" where the system has it).
QPlainTextEdit* FixedPitchPane(const QString& name, QWidget* parent);

}  // namespace quintaro
