// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/small_wheel_window.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QVBoxLayout>

#include "ui/painter_surface.h"
#include "ui/wheel_export.h"
#include "ui/widget_helpers.h"
#include "wheels/wheel_drawing.h"

namespace quintaro {

namespace {}  // namespace

SmallWheelWindow::SmallWheelWindow(WorkstationController& controller, SmallWheel wheel,
                                   QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      position_(OpenSmallWheel(controller.session().synch, wheel, 1)),
      canvas_(new QWidget(this)),
      report_(new QLabel(this)) {
    setObjectName(QString::fromLatin1(SmallWheelName(wheel).data()));
    canvas_->setObjectName(QStringLiteral("wheelCanvas"));
    canvas_->setMinimumSize(240, 240);
    canvas_->installEventFilter(this);
    report_->setObjectName(QStringLiteral("lblReport"));

    auto* menus = new QMenuBar(this);
    QMenu* menu = menus->addMenu(QStringLiteral("&Wheel"));
    auto add = [&](const QString& caption, const char* name, auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(QStringLiteral("&Forward"), "mnuForward", [this] {
        forward();
    })->setShortcut(QKeySequence(Qt::Key_PageDown));
    add(QStringLiteral("&Backward"), "mnuBackward", [this] {
        backward();
    })->setShortcut(QKeySequence(Qt::Key_PageUp));
    degrees_ = add(QString(), "mnuDisplayDegrees", [this] { toggleDegrees(); });
    if (!IsSymmetryWheel(wheel))
        interpretations_ = add(QStringLiteral("&Interpretations"), "mnuInterpretations",
                               [this] { openInterpretations(); });
    menu->addSeparator();
    add(QStringLiteral("&Print wheel"), "mnuPrintWheel", [this] { printWithDialog(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(canvas_, 1);
    layout->addWidget(report_);
    connect(&controller_, &WorkstationController::computed, this, [this] { refresh(); });
    connect(&controller_, &WorkstationController::displayChanged, this, [this] { refresh(); });
    refresh();
}

void SmallWheelWindow::open(int mode, int index) {
    position_ = OpenSmallWheel(controller_.session().synch, position_.wheel, mode, index);
    refresh();
}

void SmallWheelWindow::step(int direction) {
    StepSmallWheel(position_, SmallWheelCount(controller_.session().synch, position_.wheel),
                   direction);
    report_->clear();
    refresh();
}

void SmallWheelWindow::toggleDegrees() {
    bool& on = controller_.session().synch.smallWheelDegrees;
    on = !on;
    controller_.refreshDisplays();  // the other small wheels share the choice
    refresh();
}

QAction* SmallWheelWindow::command(const QString& name) const {
    return findChild<QAction*>(name);
}

void SmallWheelWindow::refresh() {
    const SynchSession& synch = controller_.session().synch;
    // A new search may have shortened the list.
    position_ = OpenSmallWheel(synch, position_.wheel, position_.mode, position_.index);
    setWindowTitle(Q(SmallWheelCaption(synch, position_)));
    degrees_->setText(Q(DisplayDegreesCaption(synch.smallWheelDegrees)));
    if (interpretations_)
        interpretations_->setEnabled(static_cast<bool>(synch.openInterpretations) &&
                                     SmallWheelSynch(synch, position_) != nullptr);
    canvas_->update();
}

WheelInput SmallWheelWindow::input(const WheelTarget& target) const {
    return BuildSmallWheelInput(controller_.session(), position_, target);
}

void SmallWheelWindow::paintCanvas() {
    QPainter painter(canvas_);
    const double w = canvas_->width(), h = canvas_->height();
    PainterSurface surface(painter, w, h);
    WheelTarget target;
    target.deviceWidth = w;
    target.deviceHeight = h;
    layout_ = DrawWheel(surface, input(target));
}

void SmallWheelWindow::clickAt(QPointF at) {
    const DeviceMapping map{layout_.scale, static_cast<double>(canvas_->width()),
                            static_cast<double>(canvas_->height())};
    report_->setText(Q(SmallWheelClickReport(layout_, map.toUser({at.x(), at.y()}))));
}

bool SmallWheelWindow::print(QPrinter& printer) const {
    WheelTarget target;
    target.printer = true;
    return PrintWheel(input(target), printer);
}

void SmallWheelWindow::printWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print wheel"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!print(printer))
        controller_.workstation().messages.show("Warning!", "The wheel could not be printed.",
                                                MessageIcon::Exclamation);
}

void SmallWheelWindow::openInterpretations() {
    const SynchSession& synch = controller_.session().synch;
    const SynchRecord* record = SmallWheelSynch(synch, position_);
    if (!synch.openInterpretations || !record) return;
    const SynchKind kind = position_.wheel == SmallWheel::SynchHelio ? SynchKind::HelioLongitude
                                                                     : SynchKind::GeoLongitude;
    // The hook numbers the synchronizations in priority order, whatever the mode.
    const int index = static_cast<int>(record - synch.day.of(kind).records.data()) + 1;
    synch.openInterpretations(kind, index);
}

bool SmallWheelWindow::eventFilter(QObject* watched, QEvent* event) {
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
