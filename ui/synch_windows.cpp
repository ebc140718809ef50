// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/synch_windows.h"

#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "app/synch_runs.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/small_wheel_window.h"
#include "ui/symmetry_window.h"
#include "ui/synch_ratings_window.h"

namespace quintaro {

namespace {

QMdiArea* FrameOf(QWidget* from) {
    for (QWidget* w = from; w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub->mdiArea();
    return nullptr;
}

}  // namespace

QWidget* MakeSynchWindow(const QString& name, WorkstationController& controller) {
    if (name == QLatin1String("Synch_Ratings")) return new SynchRatingsWindow(controller);
    if (name == QLatin1String("Symmetry_form")) return new SymmetryWindow(controller);
    if (name == QLatin1String("frmSetSymOrbs")) return new SymmetryOrbsWindow(controller);
    return nullptr;
}

bool ChooseSynchFiles(WorkstationController& controller) {
    Session& session = controller.session();
    const QStringList chosen = OpenFiles(
        controller.dialogs(),
        {QStringLiteral("Load synchronization file data"),
         ToolkitFilter("Synchronization Data Files (*.syn) | *.syn"), QStringLiteral("syn"),
         QString::fromStdString(session.workstation.home.string()), QString()});
    if (chosen.isEmpty()) return false;
    std::vector<std::filesystem::path> files;
    for (const QString& file : chosen) files.emplace_back(file.toStdString());
    if (!LoadSynchFiles(session, files)) return false;
    Q_EMIT controller.synchMembersChanged();
    return true;
}

SmallWheelWindow* ShowSmallWheel(QWidget* from, WorkstationController& controller, SmallWheel wheel,
                                 int mode, int index) {
    const QString name = QString::fromLatin1(SmallWheelName(wheel).data());
    QMdiArea* frame = FrameOf(from);
    SmallWheelWindow* window = nullptr;
    if (frame) {
        for (QMdiSubWindow* sub : frame->subWindowList())
            if (sub->widget() && sub->widget()->objectName() == name)
                window = qobject_cast<SmallWheelWindow*>(sub->widget());
    } else if (from) {
        window = from->window()->findChild<SmallWheelWindow*>(name);
    }
    if (!window) {
        window = new SmallWheelWindow(controller, wheel);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (frame) {
            QMdiSubWindow* sub = frame->addSubWindow(window);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->resize(520, 600);
        } else {
            window->setParent(from ? from->window() : nullptr, Qt::Window);
            window->resize(520, 600);
        }
    }
    window->open(mode, index);
    QWidget* shown = window->parentWidget() && frame ? window->parentWidget() : window;
    shown->show();
    if (frame) frame->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(shown));
    return window;
}

void ShowMainChildWindow(QWidget* from, const QString& name) {
    for (QWidget* w = from; w; w = w->parentWidget())
        if (auto* main = qobject_cast<MainWindow*>(w)) {
            main->showChildWindow(name);
            return;
        }
}

QPlainTextEdit* FixedPitchPane(const QString& name, QWidget* parent) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(name);
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    pane->setFont(font);
    return pane;
}

}  // namespace quintaro
