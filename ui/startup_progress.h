// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QWidget>
#include <string_view>

namespace quintaro {

// The small status window of the start-up: one line of text at a time.
class StartupProgress : public QWidget {
    Q_OBJECT
  public:
    explicit StartupProgress(QWidget* parent = nullptr);
    // Shows a text and lets the window paint it.
    void showText(std::string_view text);
    QString text() const { return label_->text(); }

  private:
    QLabel* label_;
};

}  // namespace quintaro
