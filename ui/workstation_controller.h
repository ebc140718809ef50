// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QObject>
#include <filesystem>
#include <string>

#include "app/session.h"
#include "setup/chart_data_file.h"
#include "setup/entry_model.h"
#include "ui/body_check_boxes.h"
#include "ui/file_dialogs.h"

namespace quintaro {

// The commands of the entry window and of the main menus that change the charts. Every one works
// on the session's models and then tells the windows: `entryChanged` when fields were rewritten,
// `computed` after every chart computation (the pipeline's display refresh), `displayChanged`
// when only what the displays show changed.
class WorkstationController : public QObject {
    Q_OBJECT
  public:
    WorkstationController(Session& session, FileDialogs dialogs, QObject* parent = nullptr);

    Session& session() { return session_; }
    Workstation& workstation() { return session_.workstation; }
    EntryModel& entry() { return session_.workstation.entry; }
    FileDialogs& dialogs() { return dialogs_; }
    bool busy() const { return busy_; }
    DisplayChoices& display() { return session_.display; }
    // Tells every display to show the current lists again (after a display choice changed).
    void refreshDisplays() {
        if (!closing_) Q_EMIT displayChanged();
    }
    // From shut-down on, windows that close no longer recompute or refresh.
    void setClosing() { closing_ = true; }
    bool closing() const { return closing_; }

    // Listens to the session's computations and starts the workstation.
    bool start();
    // Stops listening (the windows are going away).
    void stopListening();

    void recalc();
    void step(int direction);
    void natalNow();
    void transitNow();
    void swapSections();
    void setPreset(LocationPreset preset);
    void transferNatalToTransit(bool on);
    void togglePartOfFortuneVertex();
    void setBodyCheck(int box, bool checked);  // BodyCheckBox::index
    // A new main selection (106 flags): loads what it needs and recomputes.
    void applySelection(const SelectionFlags& selection);
    void setHelio(bool on);
    void setExact(bool on);
    void setDegrees(bool on);
    void setTimeOrbFilter(const TimeOrbFilter& filter);

    // The chart data file commands, asking through the dialogs. False when nothing was done.
    bool loadChartFile(ChartFileTarget target);
    bool saveChartFile(bool askName);
    bool loadAsTransit();

  Q_SIGNALS:
    void entryChanged();
    void computed();
    void displayChanged();
    // The synchronization members were loaded from a file: the member-selection window shows them.
    void synchMembersChanged();

  private:
    void compute();
    QString chartFolder() const;

    Session& session_;
    FileDialogs dialogs_;
    int listener_ = 0;  // id of the computed() listener in the session, 0 when none
    bool busy_ = false;
    bool closing_ = false;
};

}  // namespace quintaro
