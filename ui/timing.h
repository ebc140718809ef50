// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

namespace quintaro {

class MainWindow;

// Opens every aspect grid window and the wheel, then runs "Recalc" `rounds` times, letting the
// windows repaint after each; returns the mean milliseconds of one round.
double TimeRecalc(MainWindow& window, int rounds);

}  // namespace quintaro
