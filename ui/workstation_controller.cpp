// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/workstation_controller.h"

#include <QApplication>
#include <QFileInfo>

#include "app/entry_places.h"
#include "setup/chart_computation.h"
#include "setup/positions_grid.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

// The busy mouse pointer while a computation runs.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

WorkstationController::WorkstationController(Session& session, FileDialogs dialogs, QObject* parent)
    : QObject(parent), session_(session), dialogs_(std::move(dialogs)) {}

bool WorkstationController::start() {
    if (listener_ == 0) listener_ = session_.displays.add([this] { Q_EMIT computed(); });
    BusyPointer busy;
    const bool started = StartSession(session_);
    Q_EMIT entryChanged();
    return started;
}

void WorkstationController::stopListening() {
    if (listener_ != 0) session_.displays.remove(listener_);
    listener_ = 0;
}

void WorkstationController::compute() {
    if (closing_) return;
    BusyPointer pointer;
    busy_ = true;
    ComputeCharts(session_);
    busy_ = false;
}

void WorkstationController::recalc() {
    compute();
}

void WorkstationController::step(int direction) {
    StepEntryChart(session_, direction);
    Q_EMIT entryChanged();
    compute();
}

void WorkstationController::natalNow() {
    NatalNowButton(entry(), workstation().clock);
    EntryChoiceChanged(session_, Section::Natal);  // a zone from the place follows the time
    Q_EMIT entryChanged();
    compute();
}

void WorkstationController::transitNow() {
    TransitNowButton(entry(), workstation().clock);
    EntryChoiceChanged(session_, Section::Transit);
    Q_EMIT entryChanged();
    compute();
}

void WorkstationController::swapSections() {
    SwapNatalTransit(entry());
    Q_EMIT entryChanged();
    compute();
}

void WorkstationController::setPreset(LocationPreset preset) {
    SetPresetLocation(entry(), preset);
    Q_EMIT entryChanged();
}

void WorkstationController::transferNatalToTransit(bool on) {
    if (on)
        CopyNatalToTransit(entry());
    else
        FillTransitNow(entry(), workstation().clock, workstation().homeLocation);
    Q_EMIT entryChanged();
}

void WorkstationController::togglePartOfFortuneVertex() {
    TogglePartOfFortuneVertex(workstation().catalogue);
    Q_EMIT entryChanged();  // the slot-20 check box caption
    compute();
}

void WorkstationController::setBodyCheck(int box, bool checked) {
    SelectionFlags selection = workstation().flags();
    WriteBodyCheckBox(selection, box, checked, !workstation().catalogue.VertexOn);
    applySelection(selection);  // checking "PF" may have selected the Moon too
}

void WorkstationController::applySelection(const SelectionFlags& selection) {
    if (closing_) return;
    BusyPointer pointer;
    busy_ = true;
    ApplySelection(session_, selection);
    busy_ = false;
    Q_EMIT entryChanged();
}

void WorkstationController::setHelio(bool on) {
    entry().options.helio = on;
    if (busy_) return;
    ShowHelioOrGeo(session_, on);
    Q_EMIT computed();
}

void WorkstationController::setExact(bool on) {
    entry().options.exact = on;
    compute();
}

void WorkstationController::setDegrees(bool on) {
    entry().options.degrees = on;
    Workstation& ws = workstation();
    ws.grid = BuildPositionsGrid(ws.record, ws.catalogue, ws.flags(), {on, ws.natalBisect});
    Q_EMIT displayChanged();
}

void WorkstationController::setTimeOrbFilter(const TimeOrbFilter& filter) {
    session_.timeOrbFilter = filter;
    compute();
}

QString WorkstationController::chartFolder() const {
    const std::filesystem::path& current = session_.chartFile.currentFile;
    if (!current.empty()) return QString::fromStdString(current.parent_path().string());
    return QString::fromStdString(session_.workstation.home.string());
}

bool WorkstationController::loadChartFile(ChartFileTarget target) {
    if (!dialogs_.open) return false;
    const QString chosen = dialogs_.open({Q(kLoadChartTitle), ToolkitFilter(kChartFileFilter),
                                          Q(kChartFileExtension), chartFolder(), QString()});
    if (chosen.isEmpty() || !QFileInfo::exists(chosen)) return false;
    BusyPointer pointer;
    busy_ = true;
    const bool loaded =
        static_cast<bool>(LoadChartDataFile(session_, chosen.toStdString(), target));
    busy_ = false;
    if (loaded) workstation().settings.outputNameFileOPT = chosen.toStdString();
    Q_EMIT entryChanged();
    return loaded;
}

bool WorkstationController::saveChartFile(bool askName) {
    Workstation& ws = workstation();
    std::optional<std::filesystem::path> path = SaveWithoutAsking(askName, session_.chartFile);
    if (!path) {
        if (!dialogs_.save) return false;
        const QString chosen = dialogs_.save(
            {Q(kSaveChartTitle), ToolkitFilter(kChartFileFilter), Q(kChartFileExtension),
             chartFolder(), QString::fromStdString(ProposedChartFileName(ws.entry))});
        if (chosen.isEmpty()) return false;
        path = chosen.toStdString();
    }
    if (!SaveChartFile(*path, ws.entry, ws.flags(), session_.chartFile, ws.messages)) return false;
    ws.settings.outputNameFileOPT = path->string();
    return true;
}

bool WorkstationController::loadAsTransit() {
    RemoveNatalIntoTransitScratch(workstation().home);
    if (!dialogs_.open) return false;
    const QString chosen =
        dialogs_.open({Q(kNatalIntoTransitTitle), ToolkitFilter(kNatalIntoTransitFilter),
                       Q(kChartFileExtension), chartFolder(), QString()});
    if (chosen.isEmpty() || !QFileInfo::exists(chosen)) return false;
    BusyPointer pointer;
    busy_ = true;
    const bool loaded = static_cast<bool>(
        LoadChartDataFile(session_, chosen.toStdString(), ChartFileTarget::NatalIntoTransit));
    busy_ = false;
    Q_EMIT entryChanged();
    return loaded;
}

}  // namespace quintaro
