// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/red_progress.h"

#include <QCoreApplication>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace quintaro {

int ProgressPercent(long done, long total) {
    if (total <= 0 || done <= 0) return 0;
    const double percent = static_cast<double>(done) / static_cast<double>(total) * 100.0;
    return static_cast<int>(std::min(percent, 100.0));
}

RedProgressBar::RedProgressBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picProgress"));
    setMinimumHeight(18);
}

void RedProgressBar::setPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_) return;
    percent_ = percent;
    update();
}

void RedProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int filled = width() * percent_ / 100;
    painter.fillRect(QRect(0, 0, filled, height()), fillColor());
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ProgressWindow::ProgressWindow(const QString& title, QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(this)),
      bar_(new RedProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmProgressBar"));
    setWindowTitle(title);
    // Only Cancel takes input while the loop runs; nothing else may start meanwhile.
    setWindowModality(Qt::ApplicationModal);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    text_->setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

Progress ProgressWindow::progress() {
    return
        [this](std::string_view text, long done, long total) { return report(text, done, total); };
}

bool ProgressWindow::report(std::string_view text, long done, long total) {
    if (!isVisible()) show();
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (text_->text() != shown) text_->setText(shown);
    bar_->setPercent(ProgressPercent(done, total));
    QCoreApplication::processEvents();
    return !cancelled_;
}

}  // namespace quintaro
