// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include "ui/workstation_controller.h"

namespace quintaro {

// The option window of the given name ("Geo_Opt", "Crucial_Opt", "Syn_Opt", "Blue_Opt",
// "Fit_Opt", "PlanetPriorities_Opt"), or nullptr for a name it does not know.
QWidget* MakeOptionWindow(const QString& name, WorkstationController& controller);

}  // namespace quintaro
