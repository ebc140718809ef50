// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QStatusBar>

#include "ui/aspect_grid_window.h"
#include "ui/entry_window.h"
#include "ui/startup_progress.h"
#include "ui/wheel_window.h"

namespace quintaro {

namespace {

// Settings keep rectangles in twips, 15 to the pixel.
constexpr int TwipsPerPixel = 15;

WindowRect ToTwips(const QRect& r) {
    auto clamp = [](int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
    return {clamp(r.top() * TwipsPerPixel), clamp(r.left() * TwipsPerPixel),
            clamp(r.height() * TwipsPerPixel), clamp(r.width() * TwipsPerPixel)};
}

QRect FromTwips(const WindowRect& r) {
    return {r.left / TwipsPerPixel, r.top / TwipsPerPixel, r.width / TwipsPerPixel,
            r.height / TwipsPerPixel};
}

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      controller_(session, StandardFileDialogs(this), this),
      mdi_(new QMdiArea(this)),
      dateLabel_(new QLabel(this)),
      timeLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("quintaro"));
    setWindowTitle(QStringLiteral("Quintaro_Pro [TM]"));
    setCentralWidget(mdi_);
    mdi_->setBackground(QColor(128, 128, 128));
    dateLabel_->setObjectName(QStringLiteral("lblDate"));
    timeLabel_->setObjectName(QStringLiteral("lblTime"));
    statusBar()->addPermanentWidget(dateLabel_);
    statusBar()->addPermanentWidget(timeLabel_);
    connect(&clock_, &QTimer::timeout, this, &MainWindow::updateClock);
    clock_.start(1000);
    updateClock();
    buildMenus();
    connect(&controller_, &WorkstationController::computed, this,
            &MainWindow::enableComputedCommands);
    qApp->installEventFilter(this);
    resize(1200, 860);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    controller_.setClosing();
    delete mdi_;  // the child windows go while the controller they use is still here
    controller_.stopListening();
}

QString MainWindow::clockText() const {
    return dateLabel_->text() + QLatin1Char(' ') + timeLabel_->text();
}

void MainWindow::updateClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale c = QLocale::c();
    dateLabel_->setText(c.toString(now.date(), QStringLiteral("dd MMM yyyy")));
    timeLabel_->setText(c.toString(now.time(), QStringLiteral("h:mm:ss AP")));
}

bool MainWindow::start() {
    StartupProgress progress(this);
    Workstation& ws = session_.workstation;
    ws.progress = [this, &progress](std::string_view text, long, long) {
        progress.showText(text);
        startupTexts_ << progress.text();
        return true;
    };
    const bool ok = controller_.start();
    ws.progress = {};
    progress.close();
    if (!ok) return false;

    font_ = std::make_unique<GlyphFontRegistration>(ws.path("\\Orvessa.ttf"));
    if (!font_->registered())
        ws.messages.show("Warning!",
                         "The glyph font file " + ws.path("\\Orvessa.ttf").string() +
                             " could not be registered; glyphs will show as plain boxes.",
                         MessageIcon::Exclamation);
    setWindowTitle(QString::fromStdString(ws.windowTitle));
    if (!ws.settings.outputNameFileOPT.empty())
        session_.chartFile.currentFile = ws.settings.outputNameFileOPT;

    entry_ = new EntryWindow(controller_);
    connect(entry_, &EntryWindow::showGridsToggled, this, [this](bool on) {
        if (on) {
            showGridWindow(static_cast<int>(GridWindow::LongAspects));
            showGridWindow(static_cast<int>(GridWindow::DeclAspects));
        }
    });
    connect(entry_, &EntryWindow::applyingOnlyToggled, this, [this](bool on) {
        if (QWidget* w = children_[QStringLiteral("frmApplyingOnly")]) w->parentWidget()->close();
        if (on) showChildWindow(QStringLiteral("frmApplyingOnly"));
        controller_.refreshDisplays();
    });
    connect(entry_, &EntryWindow::aspectsOnlyToggled, &controller_,
            &WorkstationController::refreshDisplays);
    QMdiSubWindow* sub = addChild(entry_);
    sub->resize(entry_->sizeHint().expandedTo(QSize(900, 760)));
    sub->show();
    enableComputedCommands();
    started_ = true;
    return true;
}

QMdiSubWindow* MainWindow::addChild(QWidget* widget) {
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = mdi_->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    return sub;
}

void MainWindow::enableComputedCommands() {
    if (!session_.workstation.chartsComputed) return;
    for (const char* name : {"mnuFilePrintWheel", "mnuFileExportWheel", "mnuVelmCharts",
                             "mnuHouseCharts", "mnuDuoCharts"})
        if (QAction* action = command(QString::fromLatin1(name))) action->setEnabled(true);
}

QAction* MainWindow::command(const QString& name) const {
    auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : it->second;
}

WheelWindow* MainWindow::showWheelWindow() {
    if (!wheel_) {
        wheel_ = new WheelWindow(controller_);
        addChild(wheel_)->resize(640, 680);
    }
    wheel_->parentWidget()->show();
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(wheel_->parentWidget()));
    return wheel_;
}

AspectGridWindow* MainWindow::gridWindow(int window) const {
    auto it = grids_.find(window);
    return it == grids_.end() ? nullptr : it->second.data();
}

AspectGridWindow* MainWindow::showGridWindow(int window) {
    QPointer<AspectGridWindow>& grid = grids_[window];
    if (!grid) {
        const auto kind = static_cast<GridWindow>(window);
        grid = new AspectGridWindow(controller_, kind);
        connect(
            grid, &AspectGridWindow::aspectRowClicked, this,
            [this, window](int section, int row) { showRowInterpretation(window, section, row); });
        QMdiSubWindow* sub = addChild(grid);
        const WindowRect& saved = session_.workstation.settings.rect(GridSettingsWindow(kind));
        if (saved.width > 0 && saved.height > 0)
            sub->setGeometry(FromTwips(saved));
        else
            sub->resize(600, 440);
    }
    grid->parentWidget()->show();
    grid->refresh();
    return grid;
}

void MainWindow::storeWindowRects() {
    for (auto& [window, grid] : grids_) {
        if (!grid) continue;
        session_.workstation.settings.rect(GridSettingsWindow(static_cast<GridWindow>(window))) =
            ToTwips(grid->parentWidget()->geometry());
    }
}

bool MainWindow::shutDown() {
    if (shutDown_) return true;
    shutDown_ = true;
    started_ = false;
    font_.reset();
    storeWindowRects();
    controller_.setClosing();
    mdi_->closeAllSubWindows();
    if (!session_.workstation.started) return true;
    return ShutDown(session_.workstation);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+Left / Ctrl+Right step the chart once start-up is done, held keys repeating.
    if (started_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool ours = widget && widget->window() == this;
        if (ours && (key->modifiers() & Qt::ControlModifier) &&
            (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
            controller_.step(key->key() == Qt::Key_Right ? +1 : -1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace quintaro
