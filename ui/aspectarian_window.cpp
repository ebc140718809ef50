// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/aspectarian_window.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "aspects/aspect_catalogue.h"
#include "aspects/aspectarian_csv.h"
#include "core/atomic_file.h"
#include "ui/aspectarian_merge_window.h"
#include "ui/entry_field_controls.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

constexpr std::string_view kAttFilter = "Aspectarian Data Files (*.att) | *.att";
constexpr std::string_view kCsvFilter = "Comma Separated Values (*.csv) | *.csv";

QWidget* Row(QWidget* parent) {
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    return cell;
}

// The result boxes show the lines as the files hold them, in a fixed-pitch font.
QPlainTextEdit* ResultBox(const char* name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    box->setFont(font);
    return box;
}

QString Lines(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines) text += Q(line) + QLatin1Char('\n');
    return text;
}

const char* const kEventCaptions[] = {"Longitude Aspects", "Decl./Latitude Aspects",
                                      "Change of sign", "Change of direction",
                                      "Change N to S or S to N"};
const char* const kEventNames[] = {"chkLongitudeAspects", "chkDeclLatAspects", "chkChangeSign",
                                   "chkChangeDirection", "chkChangeNS_SN"};
bool AspectarianEventKinds::*const kEventFlags[] = {
    &AspectarianEventKinds::longitudeAspects, &AspectarianEventKinds::secondAspects,
    &AspectarianEventKinds::signChanges, &AspectarianEventKinds::directionChanges,
    &AspectarianEventKinds::sideChanges};

}  // namespace

VelmAspectarian::VelmAspectarian(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller), worker_(this) {
    setObjectName(QStringLiteral("VelmAspectarian"));
    setWindowTitle(QStringLiteral("Aspectarian"));
    form_ = OpenAspectarianForm(controller_.workstation());
    inputs_ = new QWidget(this);
    auto* inputs = new QVBoxLayout(inputs_);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->addWidget(buildDates());
    inputs->addWidget(buildBodies());
    inputs->addWidget(buildAspects());
    inputs->addWidget(buildEvents());
    inputs->addWidget(buildCommands());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs_);
    layout->addWidget(buildResults(), 1);
    connect(&worker_, &AspectarianWorker::progressed, this, &VelmAspectarian::showProgress);
    connect(&worker_, &AspectarianWorker::finished, this, &VelmAspectarian::runEnded);
    showForm();
}

VelmAspectarian::~VelmAspectarian() {
    worker_.stop();  // the worker waits for its thread as it goes
}

QWidget* VelmAspectarian::buildDate(Section section, const char* title) {
    auto* box = new QGroupBox(QString::fromLatin1(title), this);
    auto* layout = new QGridLayout(box);
    int column = 0;
    for (EntryField field : {EntryField::Month, EntryField::Day, EntryField::Year}) {
        layout->addWidget(new QLabel(Q(EntryFieldControl(field).label), box), 0, column);
        auto* edit = new FieldEdit(EntryFieldRules(field), ControlName(field, section), box);
        dates_[{section, field}] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, section, field](const QString& text) {
            FieldText(dateModel(section), field) = text.toStdString();
        });
        QWidget* cell = Row(box);
        cell->layout()->addWidget(edit);
        if (field != EntryField::Year) {  // month and day have spinners, with their wraps
            auto* spin = new SpinButtons(Q(SpinControlName(field, section)), cell);
            connect(spin, &SpinButtons::stepped, this, [this, section, field](int direction) {
                Spin(dateModel(section), field, direction);
                showForm();
            });
            cell->layout()->addWidget(spin);
        }
        layout->addWidget(cell, 1, column++);
    }
    return box;
}

QWidget* VelmAspectarian::buildDates() {
    QWidget* row = Row(this);
    row->layout()->addWidget(buildDate(Section::Natal, "Start date"));
    row->layout()->addWidget(buildDate(Section::Transit, "End date"));
    auto* box = new QGroupBox(QStringLiteral("Time zone"), row);
    auto* layout = new QVBoxLayout(box);
    zone_ = new FieldEdit(EntryFieldRules(EntryField::Zone), "txtZone", box);
    zone_->setToolTip(
        QStringLiteral("Hours west of Greenwich (east negative); the times of the "
                       "events are in this zone"));
    connect(zone_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.zone = text.toStdString(); });
    layout->addWidget(new QLabel(QStringLiteral("Hours (west +)"), box));
    layout->addWidget(zone_);
    row->layout()->addWidget(box);
    static_cast<QHBoxLayout*>(row->layout())->addStretch(1);
    return row;
}

QListWidget* VelmAspectarian::bodyList(const char* name, const std::vector<int>& slots,
                                       std::vector<int> AspectarianForm::*chosen) {
    auto* list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int slot : slots) {
        auto* item = new QListWidgetItem(Q(controller_.workstation().catalogue.BodyNames[slot]));
        item->setData(Qt::UserRole, slot);
        list->addItem(item);
    }
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list, chosen] {
        std::vector<int>& slots = form_.*chosen;
        slots.clear();
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected())
                slots.push_back(list->item(row)->data(Qt::UserRole).toInt());
    });
    return list;
}

QWidget* VelmAspectarian::buildBodies() {
    const BodyCatalogue& catalogue = controller_.workstation().catalogue;
    QWidget* row = Row(this);
    auto column = [&](const char* caption, QListWidget* list) {
        auto* box = new QGroupBox(QString::fromLatin1(caption), row);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(list);
        list->setMinimumHeight(120);
        row->layout()->addWidget(box);
    };
    transitList_ = bodyList("List1", TransitListBodies(catalogue), &AspectarianForm::transitBodies);
    natalList_ = bodyList("List2", NatalListBodies(catalogue), &AspectarianForm::natalBodies);
    column("Transit planets", transitList_);
    column("Natal planets", natalList_);
    auto* box = new QGroupBox(QStringLiteral("Pairing"), row);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    const char* captions[] = {"Transit-Transit Aspectarian", "Transit-Natal Aspectarian"};
    for (int k = 0; k < 2; ++k) {
        pairing_[static_cast<size_t>(k)] = new QRadioButton(QString::fromLatin1(captions[k]), box);
        pairing_[static_cast<size_t>(k)]->setObjectName(QStringLiteral("optTT_TN%1").arg(k));
        group->addButton(pairing_[static_cast<size_t>(k)]);
        layout->addWidget(pairing_[static_cast<size_t>(k)]);
    }
    layout->addStretch(1);
    connect(pairing_[1], &QRadioButton::toggled, this, [this](bool on) {
        form_.pairing = on ? AspectarianPairing::TransitNatal : AspectarianPairing::TransitTransit;
    });
    row->layout()->addWidget(box);
    return row;
}

QWidget* VelmAspectarian::buildAspects() {
    auto* box = new QGroupBox(QStringLiteral("Aspects"), this);
    auto* layout = new QGridLayout(box);
    for (int key = FirstKey; key <= LastKey; ++key) {
        const auto index = static_cast<size_t>(key - 1);
        auto* check = new QCheckBox(Q(AspectarianKeys[static_cast<size_t>(key)]), box);
        check->setObjectName(QStringLiteral("chkAspects%1").arg(key - 1));
        aspects_[index] = check;
        connect(check, &QCheckBox::toggled, this,
                [this, key](bool on) { form_.aspects[static_cast<size_t>(key)] = on; });
        layout->addWidget(check, static_cast<int>(index) / 9, static_cast<int>(index) % 9);
    }
    QWidget* presets = Row(box);
    const std::pair<AspectarianPreset, std::pair<const char*, const char*>> buttons[] = {
        {AspectarianPreset::Major, {"Set major aspects", "cmdSetMajor"}},
        {AspectarianPreset::Clashes, {"Set clashes", "cmdSetClashes"}},
        {AspectarianPreset::PureLinkages, {"Set pure linkages", "cmdSet3"}},
        {AspectarianPreset::ClearAll, {"Clear all aspects", "cmdSet4"}}};
    for (const auto& [which, button] : buttons) {
        auto* push = NamedButton(button.first, button.second, presets);
        const AspectarianPreset chosen = which;
        connect(push, &QPushButton::clicked, this, [this, chosen] { preset(chosen); });
        presets->layout()->addWidget(push);
    }
    layout->addWidget(presets, 2, 0, 1, 9);
    return box;
}

QWidget* VelmAspectarian::buildEvents() {
    auto* box = new QGroupBox(QStringLiteral("Events"), this);
    auto* layout = new QHBoxLayout(box);
    for (size_t k = 0; k < events_.size(); ++k) {
        events_[k] = new QCheckBox(QString::fromLatin1(kEventCaptions[k]), box);
        events_[k]->setObjectName(QString::fromLatin1(kEventNames[k]));
        bool AspectarianEventKinds::*flag = kEventFlags[k];
        connect(events_[k], &QCheckBox::toggled, this,
                [this, flag](bool on) { form_.events.*flag = on; });
        layout->addWidget(events_[k]);
    }
    layout->addStretch(1);
    return box;
}

QWidget* VelmAspectarian::buildCommands() {
    QWidget* row = Row(this);
    auto add = [&](const char* caption, const char* name, auto action) {
        auto* button = NamedButton(caption, name, row);
        connect(button, &QPushButton::clicked, this, action);
        row->layout()->addWidget(button);
    };
    add("Generate Aspectarian", "cmdCalc", [this] { generate(); });
    add("Save As Geo", "cmdSaveAsGeo", [this] { saveAs(Frame::Geocentric); });
    add("Save As Helio", "cmdSaveAsHelio", [this] { saveAs(Frame::Heliocentric); });
    add("Reformat for Excel", "cmdReformatForExcel", [this] { reformatForExcel(); });
    add("Merge Geo && Helio Files", "cmdMerge", [this] { showMerger(); });
    static_cast<QHBoxLayout*>(row->layout())->addStretch(1);
    return row;
}

QWidget* VelmAspectarian::buildResults() {
    auto* results = new QWidget(this);
    auto* layout = new QGridLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    geo_ = ResultBox("RichText1", results);
    helio_ = ResultBox("RichText2", results);
    summary_ = new QPlainTextEdit(results);
    summary_->setObjectName(QStringLiteral("txtSummary"));
    summary_->setReadOnly(true);
    summary_->setMaximumHeight(110);
    layout->addWidget(new QLabel(QStringLiteral("Geocentric"), results), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Heliocentric"), results), 0, 1);
    layout->addWidget(geo_, 1, 0);
    layout->addWidget(helio_, 1, 1);
    layout->addWidget(summary_, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    return results;
}

void VelmAspectarian::showForm() {
    for (auto& [key, edit] : dates_) edit->showText(FieldText(dateModel(key.first), key.second));
    zone_->showText(form_.zone);
    for (QListWidget* list : {transitList_, natalList_}) {
        const std::vector<int>& chosen =
            list == transitList_ ? form_.transitBodies : form_.natalBodies;
        const QSignalBlocker blocker(list);
        for (int row = 0; row < list->count(); ++row) {
            const int slot = list->item(row)->data(Qt::UserRole).toInt();
            list->item(row)->setSelected(std::count(chosen.begin(), chosen.end(), slot) > 0);
        }
    }
    {
        const QSignalBlocker a(pairing_[0]), b(pairing_[1]);
        pairing_[form_.pairing == AspectarianPairing::TransitNatal ? 1 : 0]->setChecked(true);
    }
    for (int key = FirstKey; key <= LastKey; ++key) {
        QCheckBox* check = aspects_[static_cast<size_t>(key - 1)];
        const QSignalBlocker blocker(check);
        check->setChecked(form_.aspects[static_cast<size_t>(key)]);
    }
    for (size_t k = 0; k < events_.size(); ++k) {
        const QSignalBlocker blocker(events_[k]);
        events_[k]->setChecked(form_.events.*kEventFlags[k]);
    }
}

void VelmAspectarian::preset(AspectarianPreset which) {
    form_.aspects = PresetAspects(which);
    showForm();
}

void VelmAspectarian::generate() {
    if (worker_.running()) return;
    Messages& messages = controller_.workstation().messages;
    FormInput prepared = AspectarianInputOf(form_);
    if (!prepared.input) {
        messages.show(prepared.problem.title, prepared.problem.text, MessageIcon::Exclamation);
        return;
    }
    geo_->clear();
    helio_->clear();
    summary_->clear();
    result_.reset();
    inputs_->setEnabled(false);
    progress_ = new QProgressDialog(this);
    progress_->setObjectName(QStringLiteral("frmProgress"));
    progress_->setWindowTitle(QStringLiteral("Aspectarian"));
    progress_->setLabelText(QStringLiteral("Starting"));
    progress_->setCancelButtonText(QStringLiteral("Cancel"));
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setMinimumDuration(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] { worker_.stop(); });
    progress_->show();
    worker_.start(PrepareAspectarianJob(controller_.session(), std::move(*prepared.input)));
}

// Each report is painted before the run may send the next, so the progress window is drawn at
// least once for every day.
void VelmAspectarian::showProgress(const QString& text, long done, long total) {
    if (progress_) {
        progress_->setLabelText(text);
        progress_->setMaximum(static_cast<int>(total));
        progress_->setValue(static_cast<int>(done));
        progress_->repaint();
    }
    worker_.shown();
}

void VelmAspectarian::runEnded() {
    if (progress_) progress_->deleteLater();
    progress_ = nullptr;
    inputs_->setEnabled(true);
    input_ = worker_.job().input;
    result_ = worker_.result();
    if (result_->outcome != AspectarianOutcome::Invalid) {
        const BodyCatalogue& catalogue = worker_.job().catalogue;
        for (Frame frame : {Frame::Geocentric, Frame::Heliocentric}) {
            if (!result_->pass(frame).ran) continue;
            const AttFile file = AttFileOfPass(*result_, frame, input_, catalogue);
            (frame == Frame::Geocentric ? geo_ : helio_)->setPlainText(Lines(AttLineTexts(file)));
        }
        std::vector<std::string> summary = RunSummary(input_, catalogue);
        summary.push_back(
            "Geocentric events: " + std::to_string(result_->geocentric.events.size()) +
            ", heliocentric events: " + std::to_string(result_->heliocentric.events.size()));
        summary_->setPlainText(Lines(summary));
    }
    worker_.messages().showThrough(controller_.workstation().messages);
}

// The file of a pass that searched at least one day.
std::optional<AttFile> VelmAspectarian::passFile(Frame frame) const {
    if (!result_ || result_->pass(frame).daysDone == 0) return std::nullopt;
    return AttFileOfPass(*result_, frame, input_, worker_.job().catalogue);
}

QString VelmAspectarian::folder() const {
    return Q(AttFolder(controller_.workstation().home).string());
}

void VelmAspectarian::saveAs(Frame frame) {
    Messages& messages = controller_.workstation().messages;
    const bool geo = frame == Frame::Geocentric;
    const std::optional<AttFile> file = passFile(frame);
    if (!file) {
        messages.show("Nothing to save",
                      std::string("There are no ") + (geo ? "geocentric" : "heliocentric") +
                          " events to save - please generate an aspectarian first.",
                      MessageIcon::Information);
        return;
    }
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.save) return;
    const AttHeader& header = file->header;
    const QString chosen =
        dialogs.save({geo ? QStringLiteral("Save geo aspectarian file data")
                          : QStringLiteral("Save helio aspectarian file data"),
                      ToolkitFilter(kAttFilter), QStringLiteral("att"), folder(),
                      Q(ProposedAttFileName(header.from, header.to, header.subjects.front()))});
    if (chosen.isEmpty()) return;
    if (auto problem = SaveAttFile(chosen.toStdString(), *file))
        messages.show(problem->title, problem->text, MessageIcon::Exclamation);
}

void VelmAspectarian::reformatForExcel() {
    Messages& messages = controller_.workstation().messages;
    std::vector<AttFile> files;
    for (Frame frame : {Frame::Geocentric, Frame::Heliocentric})
        if (auto file = passFile(frame)) files.push_back(std::move(*file));
    if (files.empty()) {
        messages.show("Nothing to save",
                      "There are no events to reformat - please generate an aspectarian first.",
                      MessageIcon::Information);
        return;
    }
    // Both passes in one table, in time order, each row naming its run.
    AttMerge merged = MergeAttFiles(files);
    FileDialogs& dialogs = controller_.dialogs();
    if (!merged.file || !dialogs.save) return;
    const AttHeader& header = merged.file->header;
    const std::string name =
        IsoDate(header.from) + "_to_" + IsoDate(header.to) +
        (input_.pairing == AspectarianPairing::TransitTransit ? "_tt" : "_tn") + ".csv";
    const QString chosen =
        dialogs.save({QStringLiteral("Save aspectarian for spreadsheets"),
                      ToolkitFilter(kCsvFilter), QStringLiteral("csv"), folder(), Q(name)});
    if (chosen.isEmpty()) return;
    const std::string error = WriteFileAtomically(chosen.toStdString(), AttCsv(*merged.file));
    if (!error.empty())
        messages.show("Could not save the spreadsheet file",
                      "Could not write " + chosen.toStdString() + ": " + error,
                      MessageIcon::Exclamation);
}

FrmMerger* VelmAspectarian::showMerger() {
    if (!merger_) merger_ = new FrmMerger(controller_, this);
    merger_->show();
    merger_->raise();
    return merger_;
}

}  // namespace quintaro
