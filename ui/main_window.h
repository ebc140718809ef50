// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

#include "app/interpretation_views.h"
#include "app/session.h"
#include "ui/file_dialogs.h"
#include "ui/glyph_font.h"
#include "ui/workstation_controller.h"

namespace quintaro {

class EntryWindow;
class WheelWindow;
class AspectGridWindow;
class StartupProgress;
class ReportWindow;
class ReviseWindow;

// The main window "quintaro": a multi-document frame with the menus, the status clock and the
// Ctrl+Left / Ctrl+Right stepping. It starts the workstation, opens the child windows on demand
// and, when closed, stores their rectangles and writes the settings.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: the progress window, the workstation, the glyph font, the entry window. False when
    // the workstation cannot start.
    bool start();
    // Shut-down: unregisters the font, stores the window rectangles, closes the windows and
    // writes the settings. Runs once; closing the window runs it too.
    bool shutDown();

    WorkstationController& controller() { return controller_; }
    QMdiArea* mdiArea() const { return mdi_; }
    EntryWindow* entryWindow() const { return entry_; }
    // The menu command with this object name ("mnuDataSwitchData"), or nullptr.
    QAction* command(const QString& name) const;
    QString clockText() const;
    bool started() const { return started_; }
    // The texts the start-up progress window showed, in order.
    const QStringList& startupTexts() const { return startupTexts_; }

    WheelWindow* showWheelWindow();
    AspectGridWindow* showGridWindow(int window);
    AspectGridWindow* gridWindow(int window) const;
    QWidget* showChildWindow(const QString& name);

    // Interpretations (ui/interps_menu.cpp): the report windows, the revision window, and the
    // interpretation of a clicked aspect grid row.
    ReportWindow* showReportWindow(InterpretationView view, ReportMode mode);
    ReportWindow* reportWindow(InterpretationView view) const;
    ReviseWindow* showReviseWindow();
    ReportWindow* showRowInterpretation(int gridWindow, int section, int row);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildFileMenu();
    void buildDataMenu();
    void buildAspectMenus();
    void buildChartMenus();
    void buildOptionMenu();
    void buildLaterMenus();
    void buildWindowMenu();
    void buildInterpsMenu();
    QAction* addCommand(QMenu* menu, const QString& caption, const QString& name,
                        std::function<void()> action = {});
    QMdiSubWindow* addChild(QWidget* widget);
    void updateClock();
    void refreshDisplays();
    void enableComputedCommands();
    void storeWindowRects();
    void exportWheel();
    void printWheel();

    Session& session_;
    WorkstationController controller_;
    QMdiArea* mdi_;
    QLabel* dateLabel_;
    QLabel* timeLabel_;
    QTimer clock_;
    std::unique_ptr<GlyphFontRegistration> font_;
    EntryWindow* entry_ = nullptr;
    QPointer<WheelWindow> wheel_;
    std::map<int, QPointer<AspectGridWindow>> grids_;
    std::map<QString, QPointer<QWidget>> children_;
    std::map<QString, QAction*> commands_;
    std::map<InterpretationView, QPointer<ReportWindow>> reports_;
    QPointer<ReviseWindow> revise_;
    QPointer<ReportWindow> rowInterpretation_;
    QStringList startupTexts_;
    bool started_ = false;
    bool shutDown_ = false;
};

}  // namespace quintaro
