// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/startup_progress.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace quintaro {

StartupProgress::StartupProgress(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), label_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmProgress"));
    auto* layout = new QVBoxLayout(this);
    label_->setMinimumWidth(360);
    label_->setAlignment(Qt::AlignCenter);
    layout->addWidget(label_);
    setCursor(Qt::WaitCursor);
}

void StartupProgress::showText(std::string_view text) {
    label_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (!isVisible()) show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace quintaro
