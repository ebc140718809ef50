// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/synch_ratings_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/synch_runs.h"
#include "core/formatting.h"
#include "synch/synch_month.h"
#include "ui/file_dialogs.h"
#include "ui/small_wheel_window.h"
#include "ui/synch_windows.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

constexpr FieldRules kOrbRules{6, kDecimalKeys};
constexpr FieldRules kMonthRules{2, kDigits};
constexpr FieldRules kYearRules{4, kDigits};

// The save commands of the panes: title, filter, extension.
struct PaneFile {
    const char* title;
    const char* filter;
    const char* extension;
};
constexpr PaneFile kPaneFiles[3] = {
    {"Save synchronization one day file data", "Synchronization One Day Data Files (*.s1d) | *.s1d",
     "s1d"},
    {"Save NATAL synchronization one day file data",
     "NATAL Synchronization One Day Data Files (*.n1d) | *.n1d", "n1d"},
    {"Save TRANSIT synchronization one day file data",
     "TRANSIT Synchronization One Day Data Files (*.t1d) | *.t1d", "t1d"},
};

}  // namespace

SynchRatingsWindow::SynchRatingsWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("Synch_Ratings"));
    setWindowTitle(QStringLiteral("Synchronization Ratings"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildOrbs());
    top->addWidget(buildMonths());
    layout->addLayout(top);
    layout->addWidget(buildButtons());
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("lstSynchFiles"));
    files_->setMaximumHeight(60);
    layout->addWidget(files_);
    layout->addWidget(buildPanes(), 1);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(status_);
    showFiles();
    showResults();
    connect(&controller_, &WorkstationController::synchMembersChanged, this,
            [this] { showFiles(); });
    // The transit-month fields follow the transit chart.
    connect(&controller_, &WorkstationController::computed, this, [this] {
        const ChartData& transit = controller_.workstation().transit.data;
        transitMonth_->setText(QString::number(transit.month));
        transitYear_->setText(QString::number(transit.year));
    });
    resize(900, 700);
}

QWidget* SynchRatingsWindow::buildOrbs() {
    auto* box = new QGroupBox(QStringLiteral("Orbs"), this);
    auto* grid = new QGridLayout(box);
    const char* names[] = {"txtOuterOrb_gl", "txtOuterOrb_gd", "txtOuterOrb_hl",
                           "txtOuterOrb_hlat"};
    const char* captions[] = {"Geo longitude", "Geo declination", "Helio longitude",
                              "Helio latitude"};
    for (size_t k = 0; k < orbFields_.size(); ++k) {
        orbFields_[k] = new FieldEdit(kOrbRules, names[k], box);
        orbFields_[k]->setObjectName(QString::fromLatin1(names[k]));
        orbFields_[k]->setText(Q(FormatNumber(DefaultSynchOrbs[k], "0.00")));
        grid->addWidget(new QLabel(QString::fromLatin1(captions[k]), box), 0, static_cast<int>(k));
        grid->addWidget(orbFields_[k], 1, static_cast<int>(k));
    }
    return box;
}

QWidget* SynchRatingsWindow::buildMonths() {
    auto* box = new QGroupBox(QStringLiteral("Month"), this);
    auto* grid = new QGridLayout(box);
    const ChartData& transit = controller_.workstation().transit.data;
    auto row = [&](int at, const QString& caption, FieldEdit*& month, const char* monthName,
                   const char* spinName, FieldEdit*& year, const char* yearName) {
        month = new FieldEdit(kMonthRules, monthName, box);
        month->setObjectName(QString::fromLatin1(monthName));
        month->setText(QString::number(transit.month));
        year = new FieldEdit(kYearRules, yearName, box);
        year->setObjectName(QString::fromLatin1(yearName));
        year->setText(QString::number(transit.year));
        auto* spin = new SpinButtons(QString::fromLatin1(spinName), box);
        FieldEdit* field = month;
        connect(spin, &SpinButtons::stepped, this,
                [this, field](int direction) { stepMonth(field, direction); });
        grid->addWidget(new QLabel(caption, box), at, 0);
        grid->addWidget(month, at, 1);
        grid->addWidget(spin, at, 2);
        grid->addWidget(new QLabel(QStringLiteral("Year"), box), at, 3);
        grid->addWidget(year, at, 4);
    };
    row(0, QStringLiteral("Day by day: month"), month_, "txtMonth", "udMonth", year_, "txtYear");
    row(1, QStringLiteral("Transit month"), transitMonth_, "txtDiurnalMonth", "udDiurnalMonth",
        transitYear_, "txtDiurnalYear");
    return box;
}

QWidget* SynchRatingsWindow::buildButtons() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    auto add = [&](int row, const QString& caption, const char* name, auto slot) {
        QPushButton* button = NamedButton(caption, name, panel);
        grid->addWidget(button, row, column++);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    add(0, QStringLiteral("Load synch files"), "cmdLoadSynchFiles", [this] {
        if (ChooseSynchFiles(controller_)) showFiles();
    });
    add(0, QStringLiteral("Create/select synch planets"), "cmdCreate_Select_Sync",
        [this] { ShowMainChildWindow(this, QStringLiteral("Syn_Opt")); });
    add(0, QStringLiteral("Planet priorities"), "cmdSelectPlanetaryPriority",
        [this] { ShowMainChildWindow(this, QStringLiteral("PlanetPriorities_Opt")); });
    add(0, QStringLiteral("Calculate one day"), "cmdCalcSynchOneDay",
        [this] { calculateOneDay(); });
    add(0, QStringLiteral("Calculate day by day"), "cmdCalcSynchForDays",
        [this] { calculateForDays(); });
    column = 0;
    const char* saveNames[] = {"cmdSaveSynch", "cmdSaveNatal", "cmdSaveTransits"};
    const char* saveCaptions[] = {"Save synchronizations", "Save natal", "Save transits"};
    for (int pane = 1; pane <= 3; ++pane)
        saveButtons_[static_cast<size_t>(pane - 1)] =
            add(1, QString::fromLatin1(saveCaptions[pane - 1]), saveNames[pane - 1],
                [this, pane] { save(pane); });
    struct WheelButton {
        const char* name;
        const char* caption;
        SmallWheel wheel;
        int mode;
    };
    const WheelButton wheels[] = {
        {"cmdLoadDGLWindow", "Geo wheels", SmallWheel::SynchGeo, 1},
        {"cmdLoadDHLWindow", "Helio wheels", SmallWheel::SynchHelio, 1},
        {"cmdLoadSGLWindow", "Geo wheels as found", SmallWheel::SynchGeo, 0},
        {"cmdLoadSHLWindow", "Helio wheels as found", SmallWheel::SynchHelio, 0}};
    column = 0;
    for (size_t k = 0; k < 4; ++k) {
        const WheelButton w = wheels[k];
        wheelButtons_[k] = add(2, QString::fromLatin1(w.caption), w.name, [this, w] {
            ShowSmallWheel(this, controller_, w.wheel, w.mode, 1);
        });
    }
    return panel;
}

QWidget* SynchRatingsWindow::buildPanes() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    const char* names[] = {"txtSynchs", "txtNatal", "txtTransits"};
    const char* captions[] = {"Synchronizations", "Natal", "Transits"};
    for (size_t k = 0; k < panes_.size(); ++k) {
        auto* column = new QWidget(splitter);
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new QLabel(QString::fromLatin1(captions[k]), column));
        panes_[k] = FixedPitchPane(QString::fromLatin1(names[k]), column);
        layout->addWidget(panes_[k], 1);
        splitter->addWidget(column);
    }
    splitter->setStretchFactor(0, 3);
    return splitter;
}

SynchOrbs SynchRatingsWindow::orbs() const {
    SynchOrbs orbs{};
    for (size_t k = 0; k < orbs.size(); ++k)
        orbs[k] = LeadingNumber(orbFields_[k]->text().toStdString());
    return orbs;
}

void SynchRatingsWindow::stepMonth(FieldEdit* month, int direction) {
    month->setText(QString::number(WrapMonth(month->text().toInt() + direction)));
}

void SynchRatingsWindow::showFiles() {
    const SynchSession& synch = controller_.session().synch;
    files_->clear();
    if (synch.membersFromSelectionWindow)
        files_->addItem(QString::fromLatin1(SelectionWindowName.data()));
    else
        for (const auto& file : synch.files) files_->addItem(Q(file.string()));
}

void SynchRatingsWindow::showResults() {
    const SynchSession& synch = controller_.session().synch;
    const bool done = synch.synchComputed;
    pane(1)->setPlainText(done ? Q(synch.day.synchPane) : QString());
    pane(2)->setPlainText(done ? Q(synch.day.natalPane) : QString());
    pane(3)->setPlainText(done ? Q(synch.day.transitPane) : QString());
    for (QPushButton* button : wheelButtons_) button->setEnabled(done);
    for (QPushButton* button : saveButtons_) button->setEnabled(done);
}

// The transit-month fields, when changed, move the transit chart to that month (the day held
// to the month's length) before the one-day search.
bool SynchRatingsWindow::moveTransitMonth() {
    const int month = transitMonth_->text().toInt();
    const int year = transitYear_->text().toInt();
    Workstation& ws = controller_.workstation();
    if (month < 1 || month > 12) {
        ws.messages.show("Warning!", "The transit month must be a number from 1 to 12.",
                         MessageIcon::Exclamation);
        return false;
    }
    if (month == ws.transit.data.month && year == ws.transit.data.year) return true;
    EntrySection& transit = ws.entry.transit;
    transit.month = std::to_string(month);
    transit.year = std::to_string(year);
    transit.day = std::to_string(std::min(ws.transit.data.day, DaysInMonth(year, month)));
    Q_EMIT controller_.entryChanged();
    controller_.recalc();
    return true;
}

bool SynchRatingsWindow::calculateOneDay() {
    if (!moveTransitMonth()) return false;
    const bool done = CalculateSynchOneDay(controller_.session(), orbs());
    showFiles();
    showResults();
    if (done) {
        status_->setText(QStringLiteral("Synchronizations of the current charts"));
        controller_.refreshDisplays();  // open small wheels show the new lists
    }
    return done;
}

bool SynchRatingsWindow::calculateForDays() {
    Workstation& ws = controller_.workstation();
    const QString file =
        controller_.dialogs().save
            ? controller_.dialogs().save(
                  {QStringLiteral("Save synchronization day by day file data"),
                   ToolkitFilter("Synchronization Day By Day Data Files (*.sbd) "
                                 "| *.sbd"),
                   QStringLiteral("sbd"), Q(ws.path("\\reports").string()), QString()})
            : QString();
    if (file.isEmpty()) return false;  // the dialog was cancelled: no run
    QProgressDialog progress(QStringLiteral("Synchronization day by day"), QStringLiteral("Cancel"),
                             0, 31, this);
    progress.setObjectName(QStringLiteral("dlgSynchProgress"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    const Progress report = [&progress](std::string_view text, long done, long total) {
        progress.setMaximum(static_cast<int>(total));
        progress.setValue(static_cast<int>(done));
        progress.setLabelText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    setEnabled(false);
    const SynchMonthOutcome outcome =
        CalculateSynchForDays(controller_.session(), year_->text().toInt(), month_->text().toInt(),
                              orbs(), file.toStdString(), report);
    setEnabled(true);
    progress.close();
    Q_EMIT controller_.entryChanged();
    if (outcome == SynchMonthOutcome::Written)
        status_->setText(QStringLiteral("Day by day written to ") + file);
    else
        status_->setText(QStringLiteral("Day by day: nothing written"));
    return outcome == SynchMonthOutcome::Written;
}

void SynchRatingsWindow::save(int number) {
    const PaneFile& kind = kPaneFiles[number - 1];
    Workstation& ws = controller_.workstation();
    if (!controller_.dialogs().save) return;
    const QString file = controller_.dialogs().save(
        {QString::fromLatin1(kind.title), ToolkitFilter(kind.filter),
         QString::fromLatin1(kind.extension), Q(ws.path("\\reports").string()), QString()});
    if (file.isEmpty()) return;
    const SynchDayResult& day = controller_.session().synch.day;
    const std::string& text = number == 1   ? day.synchPane
                              : number == 2 ? day.natalPane
                                            : day.transitPane;
    SaveSynchText(controller_.session(), file.toStdString(), text);
}

}  // namespace quintaro
