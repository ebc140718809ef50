// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window's interpretation menu and windows: the reports of each kind, the natal
// interpretations, the overflow, revisions and the master list, the stores' folder, and the
// interpretation of a clicked aspect grid row.
#include <QActionGroup>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>

#include "app/interpretations.h"
#include "core/install_folder.h"
#include "interps/interpretation_report.h"
#include "interps/revisions.h"
#include "ui/aspect_grid_window.h"
#include "ui/main_window.h"
#include "ui/report_window.h"
#include "ui/revise_window.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

constexpr std::array<std::pair<ReportMode, const char*>, 4> ReportKinds = {{
    {ReportMode::RomanceCompatibility, "RomanceComp"},
    {ReportMode::FinancialCompatibility, "FinancialComp"},
    {ReportMode::RomanceTransits, "RomanceTrans"},
    {ReportMode::FinancialTransits, "FinancialTrans"},
}};

constexpr std::array<std::pair<ReportMode, const char*>, 3> NatalForms = {{
    {ReportMode::NatalFull, "Full"},
    {ReportMode::NatalRomance, "RomanceOnly"},
    {ReportMode::NatalMoney, "MoneyOnly"},
}};

// Selects and scrolls to a synchronization's group (its display line) in the section of its kind.
// The rich text may have merged the blanks of the 5-character names, so any run of blanks
// matches. A group the filtered form left out selects the section's title instead.
void ShowSynchronization(QTextBrowser& text, SynchKind kind, const std::string& line) {
    const QString title = kind == SynchKind::HelioLongitude
                              ? QStringLiteral("Helio longitude synchronization")
                              : QStringLiteral("Geo longitude synchronization");
    const QTextDocument* document = text.document();
    const QTextCursor section = document->find(title);
    if (section.isNull()) return;
    QStringList words;
    for (const QString& word : Q(line).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        words << QRegularExpression::escape(word);
    const QTextCursor group =
        document->find(QRegularExpression(words.join(QStringLiteral("[\\s\\x{00A0}]+"))), section);
    const QTextCursor nextSection =
        document->find(QStringLiteral("Helio longitude synchronization"), section);
    const bool inSection =
        !group.isNull() && (kind == SynchKind::HelioLongitude || nextSection.isNull() ||
                            group.position() < nextSection.position());
    text.setTextCursor(inSection ? group : section);
    text.ensureCursorVisible();
}

}  // namespace

void MainWindow::buildInterpsMenu() {
    QMenu* interps = menuBar()->addMenu(QStringLiteral("&Interps"));
    interps->setObjectName(QStringLiteral("mnuInterps"));
    // The small synchronization wheels open the synchronization interpretations (in the report
    // kind a grid row's click reads) at the synchronization they show.
    session_.synch.openInterpretations = [this](SynchKind kind, int index) {
        ReportWindow* window =
            showReportWindow(InterpretationView::Synchronization, session_.interps.gridSet);
        const auto& records = session_.synch.day.of(kind).records;
        if (index >= 1 && index <= static_cast<int>(records.size()))
            ShowSynchronization(*window->text(), kind,
                                records[static_cast<std::size_t>(index - 1)].line);
    };
    const std::tuple<InterpretationView, const char*, const char*> reports[] = {
        {InterpretationView::Longitude, "Longitude interpretations", "mnuInterpsLong_"},
        {InterpretationView::DeclinationLatitude, "Declination/Latitude interpretations",
         "mnuInterpsDecl_"},
        {InterpretationView::Synchronization, "Synch interpretations", "mnuInterpsSynch_"}};
    for (const auto& [view, caption, prefix] : reports) {
        QMenu* menu = interps->addMenu(QString::fromLatin1(caption));
        for (const auto& [mode, name] : ReportKinds) {
            addCommand(menu, Q(ReportKindName(mode)),
                       QString::fromLatin1(prefix) + QString::fromLatin1(name),
                       [this, v = view, m = mode] { showReportWindow(v, m); });
        }
    }
    addCommand(interps, QStringLiteral("Natal interpretations"), QStringLiteral("mnuInterpsNatal"),
               [this] { showReportWindow(InterpretationView::Natal, session_.interps.natalSet); });
    addCommand(
        interps, QStringLiteral("Overflow planets"), QStringLiteral("mnuInterpsOverflow"),
        [this] { showReportWindow(InterpretationView::Overflow, session_.interps.gridSet); });
    interps->addSeparator();

    // What a click on an aspect grid row reads.
    QMenu* clicks = interps->addMenu(QStringLiteral("Grid clicks read"));
    auto* kinds = new QActionGroup(this);
    for (const auto& [mode, name] : ReportKinds) {
        QAction* action =
            addCommand(clicks, Q(ReportKindName(mode)),
                       QStringLiteral("mnuInterpsGridSet_") + QString::fromLatin1(name),
                       [this, m = mode] { session_.interps.gridSet = m; });
        action->setCheckable(true);
        action->setChecked(session_.interps.gridSet == mode);
        kinds->addAction(action);
    }
    clicks->addSeparator();
    auto* forms = new QActionGroup(this);
    for (const auto& [mode, name] : NatalForms) {
        QAction* action =
            addCommand(clicks, QStringLiteral("Natal - ") + Q(ReportKindName(mode)),
                       QStringLiteral("mnuInterpsNatalSet_") + QString::fromLatin1(name),
                       [this, m = mode] { session_.interps.natalSet = m; });
        action->setCheckable(true);
        action->setChecked(session_.interps.natalSet == mode);
        forms->addAction(action);
    }
    interps->addSeparator();

    addCommand(interps, QStringLiteral("Revise interpretations"),
               QStringLiteral("mnuInterpsRevise"), [this] { showReviseWindow(); });
    addCommand(interps, QStringLiteral("Generate master list"),
               QStringLiteral("mnuInterpsGenerateMasterList"), [this] {
                   Workstation& ws = session_.workstation;
                   if (!WriteMasterList(ws.home, ws.messages)) return;
                   ws.messages.show("Master list",
                                    "The master list of interpretations has been written to " +
                                        MasterListPath(ws.home).string() + ".",
                                    MessageIcon::Information);
                   if (revise_) revise_->loadMasterList();
               });
    addCommand(
        interps, QStringLiteral("Select interpretation files folder"),
        QStringLiteral("mnuInterpsSelectFolder"), [this] {
            FileDialogs& dialogs = controller_.dialogs();
            if (!dialogs.open) return;
            const std::filesystem::path folder = HomePath(session_.workstation.home, "\\interps");
            const QString file =
                dialogs.open({QStringLiteral("Select directory where .dat files are located"),
                              ToolkitFilter("Velm Interpretation Files (*.dat) | *.dat"),
                              QStringLiteral("dat"),
                              QString::fromStdString(folder.string()),
                              {}});
            if (file.isEmpty()) return;
            SelectInterpretationFolder(session_,
                                       std::filesystem::path(file.toStdString()).parent_path());
            for (auto& [view, window] : reports_)
                if (window) window->refresh();
        });
}

ReportWindow* MainWindow::reportWindow(InterpretationView view) const {
    auto it = reports_.find(view);
    return it == reports_.end() ? nullptr : it->second.data();
}

ReportWindow* MainWindow::showReportWindow(InterpretationView view, ReportMode mode) {
    QPointer<ReportWindow>& window = reports_[view];
    if (!window) {
        ViewRequest request;
        request.view = view;
        request.mode = mode;
        window = new ReportWindow(controller_, request);
        addChild(window)->resize(720, 640);
    } else if (window->request().mode != mode) {
        window->setMode(mode);
    }
    window->parentWidget()->show();
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    return window;
}

ReviseWindow* MainWindow::showReviseWindow() {
    if (!revise_) {
        revise_ = new ReviseWindow(controller_);
        addChild(revise_)->resize(980, 560);
    }
    revise_->parentWidget()->show();
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(revise_->parentWidget()));
    return revise_;
}

ReportWindow* MainWindow::showRowInterpretation(int gridWindow, int section, int row) {
    AspectGridWindow* grid = this->gridWindow(gridWindow);
    if (!grid) return nullptr;
    const GridModel model = grid->model();
    if (section < 0 || section >= static_cast<int>(model.sections.size())) return nullptr;
    const GridSection& shown = model.sections[static_cast<std::size_t>(section)];
    if (row < 0 || row >= static_cast<int>(shown.rows.size())) return nullptr;
    auto content =
        ShowRowInterpretation(session_, shown, shown.rows[static_cast<std::size_t>(row)]);
    if (!content) return nullptr;
    if (rowInterpretation_) rowInterpretation_->parentWidget()->close();
    rowInterpretation_ = new ReportWindow(controller_, std::move(*content));
    addChild(rowInterpretation_)->resize(560, 320);
    rowInterpretation_->parentWidget()->show();
    mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(rowInterpretation_->parentWidget()));
    return rowInterpretation_;
}

}  // namespace quintaro
