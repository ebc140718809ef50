// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/option_windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <array>
#include <vector>

#include "app/synch_runs.h"
#include "setup/group_files.h"
#include "setup/planet_groups.h"
#include "setup/priority_file.h"
#include "ui/field_edit.h"
#include "ui/option_window_captions.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

// The two columns of a selection window: "Natal" and "Transiting", 53 boxes each, captioned with
// the body names; indexes 0..52 natal, 53..105 transit.
class SelectionBoxes : public QWidget {
  public:
    explicit SelectionBoxes(const BodyCatalogue& catalogue, QWidget* parent = nullptr)
        : QWidget(parent) {
        auto* layout = new QHBoxLayout(this);
        for (int side = 0; side < 2; ++side) {
            auto* box =
                new QGroupBox(side == 0 ? QStringLiteral("Natal") : QStringLiteral("Transiting"));
            auto* grid = new QGridLayout(box);
            grid->setVerticalSpacing(0);
            for (int slot = 1; slot <= BodyCount; ++slot) {
                const int index = side * BodyCount + slot - 1;
                auto* check = new QCheckBox(Q(OptionBodyCaption(catalogue, slot)), box);
                check->setObjectName(QStringLiteral("Check1_%1").arg(index));
                grid->addWidget(check, (slot - 1) % 27, (slot - 1) / 27);
                boxes_[static_cast<size_t>(index)] = check;
            }
            layout->addWidget(box);
        }
    }

    void show(const SelectionFlags& flags) {
        for (int i = 0; i < SelectionFlagCount; ++i)
            boxes_[static_cast<size_t>(i)]->setChecked(flags.flag(i + 1));
    }
    SelectionFlags flags() const {
        SelectionFlags flags;
        for (int i = 0; i < SelectionFlagCount; ++i)
            flags.setFlag(i + 1, boxes_[static_cast<size_t>(i)]->isChecked());
        return flags;
    }
    QCheckBox* box(int index) const { return boxes_[static_cast<size_t>(index)]; }

  private:
    std::array<QCheckBox*, SelectionFlagCount> boxes_{};
};

// What differs between the selection windows.
struct SelectionWindowLayout {
    const char* name;
    const char* caption;
    bool groups;  // group buttons, save to group, load
    const char* loadFileCaption;
    const char* applyName;
    const char* helpName;
    const char* helpCaption;
    const char* fileWord;  // "select planet", "crucial planet", ...
    const char* filterWord;
    const char* extension;
};

constexpr SelectionWindowLayout kSelectionWindows[] = {
    {"Geo_Opt", "Select Planets", true, "Load group file", "Command1", "Command7", "Help",
     "select planet", "Select Planet", "sel"},
    {"Crucial_Opt", "Crucial Planets", true, "Load group file", "cmdOK", "cmdHelp", "&Help",
     "crucial planet", "Crucial Planet", "cru"},
    {"Syn_Opt", "Synch Planets", true, "Load Synch File", "cmdApply", "Command7", "Help",
     "synch planet", "Synch Planet", "syn"},
    {"Blue_Opt", "Blue Planets", false, "", "cmdOK", "cmdHelp", "Help", "blue planet",
     "Blue Planet", "blu"},
    {"Fit_Opt", "Fit Planets", false, "", "Command1", "Command7", "Help", "fit planet",
     "Fit Planet", "fit"},
};

class SelectionWindow : public QWidget {
  public:
    SelectionWindow(const SelectionWindowLayout& definition, WorkstationController& controller)
        : controller_(controller), definition_(definition) {
        setObjectName(QString::fromLatin1(definition.name));
        setWindowTitle(QString::fromLatin1(definition.caption));
        Workstation& ws = controller_.workstation();
        boxes_ = new SelectionBoxes(ws.catalogue, this);
        auto* layout = new QVBoxLayout(this);
        auto* scroll = new QScrollArea(this);
        scroll->setWidget(boxes_);
        scroll->setWidgetResizable(true);
        layout->addWidget(scroll, 1);
        layout->addWidget(buildButtons());
        boxes_->show(live());
        if (isName("Syn_Opt")) showSynchMembers();
        if (isName("Geo_Opt")) {
            for (int i = 0; i < SelectionFlagCount; ++i) {
                connect(boxes_->box(i), &QCheckBox::clicked, this, [this, i](bool on) {
                    controller_.workstation().groups.select.live.setFlag(i + 1, on);
                    Q_EMIT controller_.entryChanged();  // the entry window's body boxes
                });
            }
        }
        resize(620, 640);
    }

  private:
    bool isName(const char* name) const { return qstrcmp(definition_.name, name) == 0; }

    // The synchronization members: the caption names the file they were loaded from, and the
    // boxes follow a newly loaded file.
    void showSynchMembers() {
        auto caption = [this] {
            const std::string& from = controller_.session().synch.memberWindowCaption;
            setWindowTitle(from.empty() ? QString::fromLatin1(definition_.caption)
                                        : QString::fromStdString(from));
        };
        caption();
        connect(&controller_, &WorkstationController::synchMembersChanged, this, [this, caption] {
            boxes_->show(live());
            showGroup();
            caption();
        });
    }

    GroupKind kind() const {
        if (isName("Crucial_Opt")) return GroupKind::Crucial;
        if (isName("Syn_Opt")) return GroupKind::Synch;
        return GroupKind::Select;
    }
    SelectionGroups* groups() {
        if (!definition_.groups) return nullptr;
        PlanetGroups& all = controller_.workstation().groups;
        switch (kind()) {
            case GroupKind::Select:
                return &all.select;
            case GroupKind::Crucial:
                return &all.crucial;
            case GroupKind::Synch:
                return &all.synch;
        }
        return nullptr;
    }
    SelectionFlags live() {
        if (SelectionGroups* g = groups()) return g->live;
        if (isName("Blue_Opt")) return controller_.workstation().groups.blue;
        return controller_.display().fit;
    }

    QWidget* buildButtons() {
        auto* panel = new QWidget(this);
        auto* layout = new QGridLayout(panel);
        int column = 0;
        if (definition_.groups) {
            for (int k = 1; k <= 9; ++k) {
                QPushButton* button = NamedButton(QStringLiteral("Load Group &%1").arg(k),
                                                  QStringLiteral("cmdGroup1_%1").arg(k - 1), panel);
                layout->addWidget(button, 0, k - 1);
                connect(button, &QPushButton::clicked, this, [this, k] { makeCurrent(k); });
            }
            QPushButton* file = NamedButton(QString::fromLatin1(definition_.loadFileCaption),
                                            QStringLiteral("cmdGroup1_9"), panel);
            layout->addWidget(file, 0, 9);
            connect(file, &QPushButton::clicked, this, [this] { makeCurrent(10); });
            layout->addWidget(new QLabel(QStringLiteral("Current Group")), 1, 0);
            groupLabel_ = new QLabel(panel);
            groupLabel_->setObjectName(QStringLiteral("lblGroup"));
            layout->addWidget(groupLabel_, 1, 1);
            saveGroup_ = NamedButton(QString(), QStringLiteral("cmdSaveGroup"), panel);
            layout->addWidget(saveGroup_, 1, 2, 1, 2);
            connect(saveGroup_, &QPushButton::clicked, this, [this] { saveToGroup(); });
            showGroup();
            column = 4;
        }
        auto add = [&](const QString& caption, const char* name, auto slot) {
            QPushButton* button = NamedButton(caption, QString::fromLatin1(name), panel);
            layout->addWidget(button, 1, column++);
            connect(button, &QPushButton::clicked, this, slot);
        };
        if (!isName("Fit_Opt")) {
            add(QStringLiteral("Save &As"), "cmdSave", [this] { saveAs(); });
            add(isName("Crucial_Opt") ? QStringLiteral("&Load") : QStringLiteral("Load"), "cmdLoad",
                [this] { load(); });
        }
        add(QStringLiteral("Apply"), definition_.applyName, [this] { apply(); });
        if (isName("Crucial_Opt"))
            add(QStringLiteral("&Close"), "cmdClose", [this] { parentWidget()->close(); });
        add(QString::fromLatin1(definition_.helpCaption), definition_.helpName, [this] { help(); });
        return panel;
    }

    void makeCurrent(int group) {
        if (SelectionGroups* g = groups(); g && MakeGroupCurrent(*g, group)) showGroup();
    }
    void showGroup() {
        SelectionGroups* g = groups();
        groupLabel_->setText(QString::number(g->current));
        saveGroup_->setText(QString::fromStdString(SaveToGroupCaption(g->current)));
    }

    FileRequest fileRequest(const char* verb) const {
        const QString word = QString::fromLatin1(definition_.fileWord);
        const QString ext = QString::fromLatin1(definition_.extension);
        const bool load = qstrcmp(verb, "Load") == 0;
        const QString pattern = QStringLiteral("*.") + (load ? ext.toUpper() : ext);
        return {QStringLiteral("%1 %2 selected file data").arg(QString::fromLatin1(verb), word),
                QStringLiteral("%1 Data Files (%2)")
                    .arg(QString::fromLatin1(definition_.filterWord), pattern),
                ext, QString::fromStdString(controller_.workstation().home.string()), QString()};
    }

    void load() {
        Workstation& ws = controller_.workstation();
        SelectionGroups* g = groups();
        if (g && g->current < 10) {
            if (LoadCurrentGroup(ws.home, kind(), *g, ws.catalogue, ws.messages))
                boxes_->show(g->groups[static_cast<size_t>(g->current)]);
            return;
        }
        if (!controller_.dialogs().open) return;
        const QString file = controller_.dialogs().open(fileRequest("Load"));
        if (file.isEmpty()) return;
        const std::optional<GroupFileContents> read =
            ReadGroupFile(file.toStdString(), kind(), 10, ws.catalogue, ws.messages);
        if (!read) return;
        if (g) g->groups[10] = read->flags;
        boxes_->show(read->flags);
    }

    void saveToGroup() {
        Workstation& ws = controller_.workstation();
        SaveCurrentGroup(ws.home, kind(), *groups(), boxes_->flags(), ws.catalogue, ws.messages);
    }

    void saveAs() {
        if (!controller_.dialogs().save) return;
        const QString file = controller_.dialogs().save(fileRequest("Save"));
        if (file.isEmpty()) return;
        Workstation& ws = controller_.workstation();
        WriteGroupFile(file.toStdString(), boxes_->flags(), ws.catalogue, ws.messages);
    }

    void apply() {
        const SelectionFlags flags = boxes_->flags();
        if (isName("Geo_Opt")) {
            controller_.applySelection(flags);
            return;
        }
        if (isName("Syn_Opt")) UseSelectionWindowMembers(controller_.session());
        if (SelectionGroups* g = groups())
            g->live = flags;
        else if (isName("Blue_Opt"))
            controller_.workstation().groups.blue = flags;
        else
            controller_.display().fit = flags;
        controller_.refreshDisplays();
    }

    void help() {
        controller_.workstation().messages.show(definition_.caption, OptionWindowHelp(),
                                                MessageIcon::Information);
    }

    WorkstationController& controller_;
    const SelectionWindowLayout& definition_;
    SelectionBoxes* boxes_ = nullptr;
    QLabel* groupLabel_ = nullptr;
    QPushButton* saveGroup_ = nullptr;
};

// "PlanetPriorities_Opt": one number per body side, groups of priority files.
class PrioritiesWindow : public QWidget {
  public:
    explicit PrioritiesWindow(WorkstationController& controller) : controller_(controller) {
        setObjectName(QStringLiteral("PlanetPriorities_Opt"));
        setWindowTitle(QStringLiteral("Synch Planet Priorities"));
        Workstation& ws = controller_.workstation();
        auto* values = new QWidget;
        auto* grid = new QGridLayout(values);
        grid->setVerticalSpacing(0);
        static constexpr FieldRules rules{3, kDigits};
        for (int i = 0; i < SelectionFlagCount; ++i) {
            const int slot = i % BodyCount + 1;
            const int column = i < BodyCount ? 0 : 2;
            auto* label = new QLabel(Q(OptionBodyCaption(ws.catalogue, slot)), values);
            label->setObjectName(QStringLiteral("lbl3D_Values_%1").arg(i));
            auto* edit = new FieldEdit(rules, {}, values);
            edit->setObjectName(QStringLiteral("txt3D_Values_%1").arg(i));
            grid->addWidget(label, slot - 1, column);
            grid->addWidget(edit, slot - 1, column + 1);
            fields_[static_cast<size_t>(i)] = edit;
        }
        auto* scroll = new QScrollArea(this);
        scroll->setWidget(values);
        scroll->setWidgetResizable(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(scroll, 1);
        layout->addWidget(buildButtons());
        show(ws.groups.priorities);
        resize(620, 640);
    }

  private:
    QWidget* buildButtons() {
        auto* panel = new QWidget(this);
        auto* layout = new QGridLayout(panel);
        const char* named[] = {"Load GeneralUse.ord", "Load RomanceCompatibility.ord",
                               "Load RomanceTransits.ord", "Load FinancialCompatibiity.ord",
                               "Load FinancialTransits.ord"};
        for (int k = 1; k <= 10; ++k) {
            const QString caption = k <= 5   ? QString::fromLatin1(named[k - 1])
                                    : k < 10 ? QStringLiteral("Load Group &%1").arg(k)
                                             : QStringLiteral("Load Custom Group");
            QPushButton* button =
                NamedButton(caption, QStringLiteral("cmdGroup1_%1").arg(k - 1), panel);
            layout->addWidget(button, (k - 1) / 5, (k - 1) % 5);
            connect(button, &QPushButton::clicked, this, [this, k] { makeCurrent(k); });
        }
        layout->addWidget(new QLabel(QStringLiteral("Current Group")), 2, 0);
        groupLabel_ = new QLabel(panel);
        layout->addWidget(groupLabel_, 2, 1);
        saveGroup_ = NamedButton(QString(), QStringLiteral("cmdSaveGroup"), panel);
        layout->addWidget(saveGroup_, 2, 2);
        connect(saveGroup_, &QPushButton::clicked, this, [this] { saveToGroup(); });
        int column = 0;
        auto add = [&](const char* caption, const char* name, auto slot) {
            QPushButton* button =
                NamedButton(QString::fromLatin1(caption), QString::fromLatin1(name), panel);
            layout->addWidget(button, 3, column++);
            connect(button, &QPushButton::clicked, this, slot);
        };
        add("Save &As", "cmdSave", [this] { saveAs(); });
        add("Load", "cmdLoad", [this] { load(); });
        add("APPLY", "cmdApply",
            [this] { controller_.workstation().groups.priorities = priorities(); });
        add("Help", "cmdHelp", [this] {
            controller_.workstation().messages.show("Synch Planet Priorities", OptionWindowHelp(),
                                                    MessageIcon::Information);
        });
        makeCurrent(1);
        return panel;
    }

    void makeCurrent(int group) {
        current_ = group;
        groupLabel_->setText(QString::number(group));
        saveGroup_->setText(QStringLiteral("&Save to Group %1").arg(group));
    }

    void show(const Priorities& priorities) {
        for (int i = 0; i < SelectionFlagCount; ++i)
            fields_[static_cast<size_t>(i)]->setText(
                QString::number(priorities.values[static_cast<size_t>(i) + 1]));
    }
    Priorities priorities() const {
        Priorities p;
        for (int i = 0; i < SelectionFlagCount; ++i)
            p.values[static_cast<size_t>(i) + 1] = static_cast<int16_t>(
                std::clamp(fields_[static_cast<size_t>(i)]->text().toInt(), -32768, 32767));
        return p;
    }

    std::filesystem::path groupFile() const {
        return controller_.workstation().path(PriorityFileName(current_));
    }

    void load() {
        Workstation& ws = controller_.workstation();
        std::filesystem::path file;
        if (current_ < 10) {
            file = groupFile();
        } else {
            if (!controller_.dialogs().open) return;
            const QString chosen = controller_.dialogs().open(
                {QStringLiteral("Load synch planetary priority data from file"),
                 ToolkitFilter("Synch Planetary Priority Data Files (*.ord) | *.ord"),
                 QStringLiteral("ord"), QString::fromStdString(ws.home.string()), QString()});
            if (chosen.isEmpty()) return;
            file = chosen.toStdString();
        }
        if (std::optional<PriorityFileContents> read =
                ReadPriorityFile(file, ws.catalogue, ws.messages))
            show(read->priorities);
    }

    void saveToGroup() {
        if (current_ >= 10) return;
        Workstation& ws = controller_.workstation();
        WritePriorityFile(groupFile(), priorities(), ws.catalogue, ws.messages);
    }

    void saveAs() {
        if (!controller_.dialogs().save) return;
        Workstation& ws = controller_.workstation();
        const QString chosen = controller_.dialogs().save(
            {QStringLiteral("Save synch planetary priority data to file"),
             ToolkitFilter("Synch Planetary Priority Data Files (*.ord) | *.or"),
             QStringLiteral("ord"), QString::fromStdString(ws.home.string()), QString()});
        if (!chosen.isEmpty())
            WritePriorityFile(chosen.toStdString(), priorities(), ws.catalogue, ws.messages);
    }

    WorkstationController& controller_;
    std::array<FieldEdit*, SelectionFlagCount> fields_{};
    QLabel* groupLabel_ = nullptr;
    QPushButton* saveGroup_ = nullptr;
    int current_ = 1;
};

}  // namespace

QWidget* MakeOptionWindow(const QString& name, WorkstationController& controller) {
    for (const SelectionWindowLayout& definition : kSelectionWindows)
        if (name == QLatin1String(definition.name))
            return new SelectionWindow(definition, controller);
    if (name == QLatin1String("PlanetPriorities_Opt")) return new PrioritiesWindow(controller);
    return nullptr;
}

}  // namespace quintaro
