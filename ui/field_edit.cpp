// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/field_edit.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace quintaro {

FieldEdit::FieldEdit(const FieldRules& definition, std::string_view control, QWidget* parent)
    : QLineEdit(parent), keys_(definition.keys) {
    setObjectName(QString::fromUtf8(control.data(), static_cast<qsizetype>(control.size())));
    if (definition.width > 0) {
        setMaxLength(definition.width);
        const int chars = std::max(definition.width, 2);
        setFixedWidth(fontMetrics().horizontalAdvance(QString(chars + 1, QLatin1Char('0'))) + 12);
    }
    setEnabled(!definition.inactive);
}

void FieldEdit::showText(const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (this->text() != shown) setText(shown);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !keys_.empty()) {
        const FieldRules definition{0, keys_};
        for (QChar c : typed) {
            if (c.unicode() > 0x7F || !AcceptsKey(definition, static_cast<char>(c.unicode()))) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectOnClick_ = event->reason() == Qt::MouseFocusReason;
    // After the toolkit has placed the cursor for the click that gave the focus.
    QTimer::singleShot(0, this, [this] { selectAll(); });
}

void FieldEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (selectOnClick_) {
        selectOnClick_ = false;
        selectAll();
    }
}

SpinButtons::SpinButtons(const QString& name, QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    setObjectName(name);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Q_EMIT stepped(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Q_EMIT stepped(-1); });
}

}  // namespace quintaro
