// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>

class QPushButton;
class QWidget;

namespace quintaro {

// Text from the logic layers (UTF-8) as Qt text.
QString Q(std::string_view text);

// A push button with an object name (the tests find the windows' buttons by it) that does not
// take Enter from the window's other controls.
QPushButton* NamedButton(const QString& caption, const QString& name, QWidget* parent);

}  // namespace quintaro
