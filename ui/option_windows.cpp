// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/option_windows.h"

namespace quintaro {

QWidget* MakeOptionWindow(const QString&, WorkstationController&) { return nullptr; }

}  // namespace quintaro
