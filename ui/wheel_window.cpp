// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/wheel_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/painter_surface.h"
#include "wheels/wheel_drawing.h"

namespace quintaro {

WheelWindow::WheelWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      canvas_(new QWidget(this)),
      report_(new QLabel(this)) {
    setObjectName(QStringLiteral("Wheels"));
    setWindowTitle(QStringLiteral("Chartwheels"));
    canvas_->setObjectName(QStringLiteral("wheelCanvas"));
    canvas_->setMinimumSize(300, 300);
    canvas_->installEventFilter(this);
    report_->setObjectName(QStringLiteral("lblReport"));
    auto* choices = new QWidget(this);
    auto* row = new QHBoxLayout(choices);
    row->setContentsMargins(4, 2, 4, 2);
    auto choice = [&](const char* caption, const char* name, bool WheelView::*flag) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), choices);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(view_.*flag);
        connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
            view_.*flag = on;
            canvas_->update();
        });
        row->addWidget(box);
    };
    choice("Natal + transit", "chkWithTransit", &WheelView::withTransit);
    choice("Heliocentric", "chkWheelHelio", &WheelView::heliocentric);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(choices);
    layout->addWidget(canvas_, 1);
    layout->addWidget(report_);
    auto repaint = [this] { canvas_->update(); };
    connect(&controller_, &WorkstationController::computed, this, repaint);
    connect(&controller_, &WorkstationController::displayChanged, this, repaint);
    resize(620, 640);
}

WheelInput WheelWindow::input(const WheelTarget& target) const {
    return BuildWheelInput(controller_.session(), view_, target);
}

void WheelWindow::paintCanvas() {
    QPainter painter(canvas_);
    const double w = canvas_->width(), h = canvas_->height();
    PainterSurface surface(painter, w, h);
    WheelTarget target;
    target.deviceWidth = w;
    target.deviceHeight = h;
    layout_ = DrawWheel(surface, input(target));
}

void WheelWindow::clickAt(QPointF at) {
    const DeviceMapping map{layout_.scale, static_cast<double>(canvas_->width()),
                            static_cast<double>(canvas_->height())};
    const Point user = map.toUser({at.x(), at.y()});
    const std::string text = ClickReport(layout_, user);
    report_->setText(QString::fromStdString(text));
    const std::string clip = ClipboardTextAt(layout_, user);
    if (!clip.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(clip));
}

bool WheelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_) {
        if (event->type() == QEvent::Paint) {
            paintCanvas();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            clickAt(static_cast<QMouseEvent*>(event)->position());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quintaro
