// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "core/progress.h"

namespace quintaro {

// The share of a long loop that is done, in percent: done / total × 100, cut to 0 to 100 (0 when
// there is no total).
int ProgressPercent(long done, long total);

// The progress bar of long loops: the done percentage of its width filled in red (QBColor 12).
class RedProgressBar : public QWidget {
    Q_OBJECT
  public:
    explicit RedProgressBar(QWidget* parent = nullptr);
    void setPercent(int percent);
    int percent() const { return percent_; }
    static QColor fillColor() { return QColor(255, 0, 0); }
    QSize sizeHint() const override { return {360, 22}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int percent_ = 0;
};

// A small window over a long loop: what is being done, the red bar and "Cancel". The loop reports
// through progress(); the window lets the user interface breathe after each report and the loop
// stops between items once Cancel was pressed.
class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ProgressWindow(const QString& title, QWidget* parent = nullptr);
    Progress progress();
    bool cancelled() const { return cancelled_; }
    RedProgressBar* bar() const { return bar_; }

  private:
    bool report(std::string_view text, long done, long total);

    QLabel* text_;
    RedProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
};

}  // namespace quintaro
