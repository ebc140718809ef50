// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <string_view>

#include "setup/entry_fields.h"

namespace quintaro {

// A text field of the entry window: at most `width` characters, typed keys outside the field's
// set dropped (Backspace and editing keys always pass), the whole text selected on focus.
class FieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    FieldEdit(const FieldRules& rules, std::string_view control, QWidget* parent = nullptr);

    // Shows a model text without disturbing the cursor when it is already shown.
    void showText(const std::string& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::string keys_;
    bool selectOnClick_ = false;
};

// The two arrows of a spin button bound to a text field: each click reports +1 or -1.
class SpinButtons : public QWidget {
    Q_OBJECT
  public:
    explicit SpinButtons(const QString& name, QWidget* parent = nullptr);
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

  Q_SIGNALS:
    void stepped(int direction);

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace quintaro
