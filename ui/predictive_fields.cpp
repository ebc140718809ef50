// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/predictive_fields.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/entry_field_controls.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

constexpr EntryField kDateTimeFields[] = {EntryField::Month, EntryField::Day, EntryField::Year,
                                          EntryField::Hour, EntryField::Minute};
constexpr EntryField kPlaceFields[] = {EntryField::Zone, EntryField::LatDeg, EntryField::LatMin,
                                       EntryField::LongDeg, EntryField::LongMin};
constexpr EntryField kTargetFields[] = {EntryField::Month, EntryField::Day, EntryField::Year};

QWidget* Row(QWidget* parent) {
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    return cell;
}

}  // namespace

PredictiveFields::PredictiveFields(WorkstationController& controller, PredictiveForm& form,
                                   ChartFileTarget fileTarget, QWidget* parent)
    : QWidget(parent), controller_(controller), form_(form), fileTarget_(fileTarget) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildNatal());
    layout->addWidget(buildTarget());
    layout->addWidget(buildButtons());
    showForm();
}

QWidget* PredictiveFields::addField(Section section, EntryField field, QWidget* parent) {
    auto* edit = new FieldEdit(EntryFieldRules(field), ControlName(field, section), parent);
    fields_[{section, field}] = edit;
    connect(edit, &QLineEdit::textEdited, this,
            [this, section, field](const QString& text) { edited(section, field, text); });
    QWidget* cell = Row(parent);
    cell->layout()->addWidget(edit);
    if (SpinRangeOf(field)) {
        auto* spin = new SpinButtons(Q(SpinControlName(field, section)), cell);
        spins_[{section, field}] = spin;
        connect(spin, &SpinButtons::stepped, this, [this, section, field](int direction) {
            Spin(model(section), field, direction);
            showForm();
        });
        cell->layout()->addWidget(spin);
    }
    return cell;
}

QWidget* PredictiveFields::addChoice(QRadioButton*& first, QRadioButton*& second,
                                     const char* captionA, const char* captionB, const char* nameA,
                                     const char* nameB, bool EntrySection::*choice,
                                     QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    first = new QRadioButton(QString::fromLatin1(captionA), parent);
    first->setObjectName(QString::fromLatin1(nameA));
    second = new QRadioButton(QString::fromLatin1(captionB), parent);
    second->setObjectName(QString::fromLatin1(nameB));
    group->addButton(first);
    group->addButton(second);
    connect(second, &QRadioButton::toggled, this,
            [this, choice](bool on) { form_.natal.*choice = on; });
    QWidget* cell = Row(parent);
    cell->layout()->addWidget(first);
    cell->layout()->addWidget(second);
    return cell;
}

QWidget* PredictiveFields::buildNatal() {
    auto* box = new QGroupBox(QStringLiteral("Natal Data"), this);
    auto* layout = new QGridLayout(box);
    layout->addWidget(new QLabel(Q(EntryFieldControl(EntryField::Name).label), box), 0, 0);
    layout->addWidget(addField(Section::Natal, EntryField::Name, box), 0, 1, 1, 5);
    int column = 0;
    for (EntryField field : kDateTimeFields) {
        layout->addWidget(new QLabel(Q(EntryFieldControl(field).label), box), 1, column);
        layout->addWidget(addField(Section::Natal, field, box), 2, column++);
    }
    layout->addWidget(
        addChoice(choices_.am, choices_.pm, "AM", "PM", "optAM", "optPM", &EntrySection::pm, box),
        2, 5);
    column = 0;
    for (EntryField field : kPlaceFields) {
        layout->addWidget(new QLabel(Q(EntryFieldControl(field).label), box), 3, column);
        layout->addWidget(addField(Section::Natal, field, box), 4, column++);
    }
    layout->addWidget(addChoice(choices_.north, choices_.south, "N", "S", "optNorth", "optSouth",
                                &EntrySection::south, box),
                      5, 1, 1, 2);
    layout->addWidget(addChoice(choices_.west, choices_.east, "W", "E", "optWest", "optEast",
                                &EntrySection::east, box),
                      5, 3, 1, 2);
    return box;
}

QWidget* PredictiveFields::buildTarget() {
    auto* box = new QGroupBox(QStringLiteral("Target Date"), this);
    auto* layout = new QGridLayout(box);
    int column = 0;
    for (EntryField field : kTargetFields) {
        layout->addWidget(new QLabel(Q(EntryFieldControl(field).label), box), 0, column);
        layout->addWidget(addField(Section::Transit, field, box), 1, column++);
    }
    auto* now = new QPushButton(QStringLiteral("Now"), box);
    now->setObjectName(QStringLiteral("cmdNowTransit"));
    now->setAutoDefault(false);
    connect(now, &QPushButton::clicked, this, [this] {
        TargetToday(form_, controller_.workstation().clock);
        showForm();
    });
    layout->addWidget(now, 1, column);
    layout->setColumnStretch(column + 1, 1);
    return box;
}

QWidget* PredictiveFields::buildButtons() {
    QWidget* row = Row(this);
    auto add = [&](const char* caption, const char* name, auto action) {
        auto* button = new QPushButton(QString::fromLatin1(caption), row);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        row->layout()->addWidget(button);
    };
    add("Load .OPT File", "cmdLoadOpt", [this] { loadFile(); });
    add("Natal data from Data Input", "cmdXferNatalData", [this] {
        TakeNatalData(form_, controller_.entry());
        showForm();
    });
    return row;
}

void PredictiveFields::edited(Section section, EntryField field, const QString& text) {
    FieldText(model(section), field) = text.toStdString();
    if (section == Section::Natal && field == EntryField::Hour) {
        NormaliseHour(form_.natal, Section::Natal, controller_.workstation().messages);
        showForm();
    }
}

void PredictiveFields::loadFile() {
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.open) return;
    const Workstation& ws = controller_.workstation();
    const std::filesystem::path& current = controller_.session().chartFile.currentFile;
    const QString folder =
        QString::fromStdString((current.empty() ? ws.home : current.parent_path()).string());
    const QString chosen = dialogs.open({Q(kLoadChartTitle), ToolkitFilter(kChartFileFilter),
                                         Q(kChartFileExtension), folder, QString()});
    if (chosen.isEmpty() || !QFileInfo::exists(chosen)) return;
    LoadFormFile(form_, chosen.toStdString(), fileTarget_, controller_.workstation().messages);
    showForm();
}

void PredictiveFields::showForm() {
    for (auto& [key, edit] : fields_) edit->showText(FieldText(model(key.first), key.second));
    const EntrySection& natal = form_.natal;
    const QSignalBlocker blockers[] = {
        QSignalBlocker(choices_.am),    QSignalBlocker(choices_.pm),
        QSignalBlocker(choices_.north), QSignalBlocker(choices_.south),
        QSignalBlocker(choices_.west),  QSignalBlocker(choices_.east)};
    (natal.pm ? choices_.pm : choices_.am)->setChecked(true);
    (natal.south ? choices_.south : choices_.north)->setChecked(true);
    (natal.east ? choices_.east : choices_.west)->setChecked(true);
}

FieldEdit* PredictiveFields::field(Section section, EntryField field) const {
    return fields_.at({section, field});
}

SpinButtons* PredictiveFields::spin(Section section, EntryField field) const {
    return spins_.at({section, field});
}

}  // namespace quintaro
