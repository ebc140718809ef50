// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/widget_helpers.h"

#include <QPushButton>

namespace quintaro {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* NamedButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace quintaro
