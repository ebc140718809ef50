// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

namespace quintaro {

// Lets pending layout and paint events run, then saves what the widget shows (children included)
// as a PNG file. False when the file cannot be written.
bool SaveScreenshot(QWidget& widget, const QString& file);

}  // namespace quintaro
