// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/entry_window.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/entry_places.h"
#include "aspects/aspect_grid.h"
#include "ui/entry_field_controls.h"
#include "ui/glyph_font.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

// Transit controls carry "Diurnal" after their prefix ("udMonth" becomes "udDiurnalMonth").
QString SectionControl(std::string_view natal, Section section) {
    QString name = Q(natal);
    if (section == Section::Transit) {
        qsizetype prefix = 0;
        while (prefix < name.size() && name[prefix].isLower()) ++prefix;
        name.insert(prefix, QStringLiteral("Diurnal"));
    }
    return name;
}

QLabel* Caption(std::string_view text) {
    return new QLabel(Q(text));
}

QRadioButton* Choice(const char* caption, const QString& name, QButtonGroup* group) {
    auto* button = new QRadioButton(QString::fromLatin1(caption));
    button->setObjectName(name);
    group->addButton(button);
    return button;
}

constexpr EntryField kDateTimeFields[] = {EntryField::Month, EntryField::Day, EntryField::Year,
                                          EntryField::Hour, EntryField::Minute};
constexpr EntryField kPlaceFields[] = {EntryField::Zone, EntryField::LatDeg, EntryField::LatMin,
                                       EntryField::LongDeg, EntryField::LongMin};

}  // namespace

EntryWindow::EntryWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("InputD"));
    setWindowTitle(QStringLiteral("Data Input"));

    auto* top = new QHBoxLayout;
    top->addWidget(buildSection(Section::Natal));
    top->addWidget(buildSection(Section::Transit));
    buildGrid();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildOptions());
    layout->addWidget(buildChecks());
    layout->addWidget(buildButtons());
    layout->addWidget(grid_, 1);

    connect(&controller_, &WorkstationController::entryChanged, this, &EntryWindow::showModel);
    connect(&controller_, &WorkstationController::computed, this, &EntryWindow::showGrid);
    connect(&controller_, &WorkstationController::displayChanged, this, &EntryWindow::showGrid);
    showModel();
    showGrid();
}

QWidget* EntryWindow::buildSection(Section section) {
    auto* box = new QGroupBox(section == Section::Natal ? QStringLiteral("Natal Data")
                                                        : QStringLiteral("Transit Data"));
    auto* layout = new QGridLayout(box);
    SectionWidgets& widgets = sections_[section];

    auto addField = [&](EntryField field) {
        auto* edit = new FieldEdit(EntryFieldRules(field), ControlName(field, section), box);
        widgets.fields[field] = edit;
        connect(edit, &QLineEdit::textEdited, this,
                [this, section, field](const QString& text) { fieldEdited(section, field, text); });
        connect(edit, &QLineEdit::returnPressed, &controller_, &WorkstationController::recalc);
        auto* cell = new QWidget(box);
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(1);
        row->addWidget(edit);
        if (std::optional<SpinRange> range = SpinRangeOf(field)) {
            auto* spin = new SpinButtons(SectionControl(SpinControl(field), section), cell);
            widgets.spins[field] = spin;
            connect(spin, &SpinButtons::stepped, this, [this, section, field](int direction) {
                Spin(controller_.entry().section(section), field, direction);
                EntryFieldEdited(controller_.session(), section, field);
                showSection(section);
            });
            row->addWidget(spin);
        }
        return cell;
    };

    layout->addWidget(Caption(EntryFieldControl(EntryField::Name).label), 0, 0);
    layout->addWidget(addField(EntryField::Name), 0, 1, 1, 5);
    layout->addWidget(Caption(EntryFieldControl(EntryField::Place).label), 1, 0);
    layout->addWidget(addField(EntryField::Place), 1, 1, 1, 5);
    widgets.places =
        new PlaceCompleter(widgets.fields[EntryField::Place], [this](const std::string& typed) {
            return PlaceCompletions(controller_.session(), typed, 10);
        });
    connect(widgets.places, &PlaceCompleter::chosen, this, [this, section](const GeoPlace& place) {
        ChooseEntryPlace(controller_.session(), section, place);
        showSection(section);
    });
    int column = 0;
    for (EntryField field : kDateTimeFields) {
        layout->addWidget(Caption(EntryFieldControl(field).label), 2, column);
        layout->addWidget(addField(field), 3, column++);
    }
    column = 0;
    for (EntryField field : kPlaceFields) {
        layout->addWidget(Caption(EntryFieldControl(field).label), 4, column);
        layout->addWidget(addField(field), 5, column++);
    }

    auto pair = [&](QRadioButton*& first, QRadioButton*& second, const char* a, const char* b,
                    const char* nameA, const char* nameB) {
        auto* group = new QButtonGroup(box);
        first = Choice(a, SectionControl(nameA, section), group);
        second = Choice(b, SectionControl(nameB, section), group);
        auto* cell = new QWidget(box);
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(first);
        row->addWidget(second);
        return cell;
    };
    layout->addWidget(pair(widgets.am, widgets.pm, "AM", "PM", "optAM", "optPM"), 3, 5);
    layout->addWidget(pair(widgets.north, widgets.south, "N", "S", "optNorth", "optSouth"), 6, 1, 1,
                      2);
    layout->addWidget(pair(widgets.west, widgets.east, "W", "E", "optWest", "optEast"), 6, 3, 1, 2);

    auto bind = [this, section](QRadioButton* button, bool EntrySection::*choice) {
        connect(button, &QRadioButton::toggled, this, [this, section, choice](bool on) {
            controller_.entry().section(section).*choice = on;
            EntryChoiceChanged(controller_.session(), section);
            showSection(section);
        });
    };
    bind(widgets.pm, &EntrySection::pm);
    bind(widgets.south, &EntrySection::south);
    bind(widgets.east, &EntrySection::east);

    auto* now = new QPushButton(QStringLiteral("Now"), box);
    now->setObjectName(section == Section::Natal ? QStringLiteral("cmdNow")
                                                 : QStringLiteral("cmdNowTransit"));
    now->setAutoDefault(false);
    connect(now, &QPushButton::clicked, &controller_,
            section == Section::Natal ? &WorkstationController::natalNow
                                      : &WorkstationController::transitNow);
    layout->addWidget(now, 5, 5);
    layout->addWidget(buildZoneRow(section, box), 7, 0, 1, 6);
    return box;
}

QWidget* EntryWindow::buildZoneRow(Section section, QWidget* box) {
    SectionWidgets& widgets = sections_[section];
    auto* row = new QWidget(box);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    widgets.zoneFromPlace = new QCheckBox(QStringLiteral("Zone from place"), row);
    widgets.zoneFromPlace->setObjectName(SectionControl("chkZoneFromPlace", section));
    widgets.zoneFromPlace->setToolTip(
        QStringLiteral("The zone follows the place's zone for the date and time, daylight "
                       "saving and historical changes included"));
    connect(widgets.zoneFromPlace, &QCheckBox::clicked, this, [this, section](bool on) {
        SetEntryZoneFromPlace(controller_.session(), section, on);
        showSection(section);
    });
    widgets.zoneNote = new QLabel(row);
    widgets.zoneNote->setObjectName(SectionControl("lblZoneNote", section));
    widgets.zoneNote->setWordWrap(true);
    layout->addWidget(widgets.zoneFromPlace);
    layout->addWidget(widgets.zoneNote, 1);
    return row;
}

QWidget* EntryWindow::buildOptions() {
    auto* box = new QWidget;
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    for (OptionField field : AllOptionFields()) {
        const FieldRules& rules = OptionFieldRules(field);
        const FieldControl& control = OptionFieldControl(field);
        auto* edit = new FieldEdit(rules, control.control, box);
        options_[field] = edit;
        auto* label = Caption(control.label);
        label->setEnabled(!rules.inactive);
        layout->addWidget(label, 0, column);
        layout->addWidget(edit, 1, column++);
        if (field == OptionField::NatTran) {
            edit->setReadOnly(true);
            edit->installEventFilter(this);
            continue;
        }
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            OptionText(controller_.entry().options, field) = text.toStdString();
        });
        connect(edit, &QLineEdit::returnPressed, &controller_, &WorkstationController::recalc);
    }
    layout->setColumnStretch(column, 1);
    return box;
}

QWidget* EntryWindow::buildChecks() {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const BodyCheckBox& definition : BodyCheckBoxes()) {
        auto* check = new QCheckBox(Q(definition.caption), box);
        check->setObjectName(Q(definition.control));
        check->setEnabled(!definition.inactive);
        bodyChecks_[definition.index] = check;
        if (definition.slot20) slot20Box_ = definition.index;
        const int which = definition.index;
        connect(check, &QCheckBox::clicked, this, [this, which](bool on) {
            if (!filling_) controller_.setBodyCheck(which, on);
        });
        layout->addWidget(check);
    }
    auto add = [&](QCheckBox*& check, const char* caption, const char* name) {
        check = new QCheckBox(QString::fromLatin1(caption), box);
        check->setObjectName(QString::fromLatin1(name));
        layout->addWidget(check);
    };
    add(helio_, "Helio", "chkHelio");
    add(exact_, "Exact", "chkExact");
    add(applyingOnly_, "Applying only", "chkApplyingOnly");
    add(aspectsOnly_, "AspOnly", "chkAspectsOnly");
    add(degrees_, "Degrees", "chkDrgs");
    add(showGrids_, "Show grids", "chkShowGrids");
    add(primaryOnly_, "Primary only", "chkPrimaryOnly");
    primaryOnly_->setEnabled(false);
    layout->addStretch(1);

    EntryOptions& options = controller_.entry().options;
    connect(helio_, &QCheckBox::clicked, &controller_, &WorkstationController::setHelio);
    connect(exact_, &QCheckBox::clicked, &controller_, &WorkstationController::setExact);
    connect(degrees_, &QCheckBox::clicked, &controller_, &WorkstationController::setDegrees);
    connect(applyingOnly_, &QCheckBox::clicked, this, [this, &options](bool on) {
        options.applyingOnly = on;
        Q_EMIT applyingOnlyToggled(on);
    });
    connect(aspectsOnly_, &QCheckBox::clicked, this, [this, &options](bool on) {
        options.aspectsOnly = on;
        Q_EMIT aspectsOnlyToggled(on);
    });
    connect(showGrids_, &QCheckBox::clicked, this, [this, &options](bool on) {
        options.showGrids = on;
        Q_EMIT showGridsToggled(on);
    });
    return box;
}

QWidget* EntryWindow::buildButtons() {
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const char* caption, const char* name, auto slot) {
        auto* button = new QPushButton(QString::fromLatin1(caption), box);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        layout->addWidget(button);
        return button;
    };
    QPushButton* recalc = add("Recalc", "cmdOK", [this] { controller_.recalc(); });
    recalc->setDefault(true);
    add("-", "cmdPrev", [this] { controller_.step(-1); });
    add("+", "cmdNext", [this] { controller_.step(+1); });
    add("Load As Transit", "cmdLoadAsTransit", [this] { controller_.loadAsTransit(); });
    layout->addStretch(1);
    return box;
}

void EntryWindow::buildGrid() {
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("grdDataOutput"));
    grid_->setFont(MixedGlyphFont(10));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid_->font()).height() + 4);
    const std::vector<std::string> titles = PositionsGridTitles();
    grid_->setColumnCount(static_cast<int>(titles.size()));
    QStringList labels;
    for (const std::string& title : titles) labels << QString::fromStdString(title);
    grid_->setHorizontalHeaderLabels(labels);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(grid_, &QTableWidget::cellClicked, this, &EntryWindow::gridClicked);
}

void EntryWindow::fieldEdited(Section section, EntryField field, const QString& text) {
    EntrySection& model = controller_.entry().section(section);
    FieldText(model, field) = text.toStdString();
    if (field == EntryField::Hour)
        NormaliseHour(model, section, controller_.workstation().messages);
    const SectionZone before = model.zoneSource;
    const std::string zoneBefore = model.zone;
    EntryFieldEdited(controller_.session(), section, field);
    const SectionZone& after = model.zoneSource;
    if (field == EntryField::Hour || model.zone != zoneBefore || after.note != before.note ||
        after.fromPlace != before.fromPlace)
        showSection(section);
}

void EntryWindow::showSection(Section section) {
    const EntrySection& model = controller_.entry().section(section);
    SectionWidgets& widgets = sections_[section];
    for (auto& [field, edit] : widgets.fields) edit->showText(FieldText(model, field));
    const QSignalBlocker blockers[] = {QSignalBlocker(widgets.am),    QSignalBlocker(widgets.pm),
                                       QSignalBlocker(widgets.north), QSignalBlocker(widgets.south),
                                       QSignalBlocker(widgets.west),  QSignalBlocker(widgets.east)};
    (model.pm ? widgets.pm : widgets.am)->setChecked(true);
    (model.south ? widgets.south : widgets.north)->setChecked(true);
    (model.east ? widgets.east : widgets.west)->setChecked(true);
    const SectionZone& zone = model.zoneSource;
    widgets.zoneFromPlace->setEnabled(!zone.name.empty());
    widgets.zoneFromPlace->setChecked(zone.fromPlace);
    widgets.zoneNote->setText(QString::fromStdString(zone.note));
    widgets.zoneNote->setStyleSheet(zone.unresolved ? QStringLiteral("color: #b00000") : QString());
}

void EntryWindow::showModel() {
    showSection(Section::Natal);
    showSection(Section::Transit);
    EntryOptions& options = controller_.entry().options;
    for (auto& [field, edit] : options_) edit->showText(OptionText(options, field));

    filling_ = true;
    const SelectionFlags& flags = controller_.workstation().flags();
    for (auto& [check, box] : bodyChecks_) box->setChecked(BodyCheckBoxState(flags, check));
    bodyChecks_.at(slot20Box_)
        ->setText(QString::fromStdString(Slot20CheckCaption(controller_.workstation().catalogue)));
    helio_->setChecked(options.helio);
    exact_->setChecked(options.exact);
    applyingOnly_->setChecked(options.applyingOnly);
    aspectsOnly_->setChecked(options.aspectsOnly);
    degrees_->setChecked(options.degrees);
    showGrids_->setChecked(options.showGrids);
    primaryOnly_->setChecked(options.primaryOnly);
    filling_ = false;
}

void EntryWindow::showGrid() {
    const PositionsGrid& model = controller_.workstation().grid;
    const int rows = model.rows.empty() ? 0 : static_cast<int>(model.rows.size()) - 1;
    grid_->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const std::vector<std::string>& cells = model.rows[static_cast<size_t>(r) + 1];
        for (int c = 0; c < grid_->columnCount(); ++c) {
            const QString text =
                c < static_cast<int>(cells.size()) ? GlyphDisplayText(cells[c]) : QString();
            QTableWidgetItem* item = grid_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                grid_->setItem(r, c, item);
            }
            if (item->text() != text) item->setText(text);
        }
    }
}

void EntryWindow::gridClicked(int row, int column) {
    Workstation& ws = controller_.workstation();
    const ChartKinds& shown = ws.natalBisect ? ws.record.Transit : ws.record.Natal;
    const std::string text = PositionCellClipboardText(ws.catalogue, shown, row + 1, column);
    if (!text.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == options_[OptionField::NatTran] && event->type() == QEvent::MouseButtonPress) {
        ToggleNatTran(controller_.entry().options);
        options_[OptionField::NatTran]->showText(controller_.entry().options.natTran);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

FieldEdit* EntryWindow::field(Section section, EntryField field) const {
    return sections_.at(section).fields.at(field);
}

FieldEdit* EntryWindow::option(OptionField field) const {
    return options_.at(field);
}

SpinButtons* EntryWindow::spin(Section section, EntryField field) const {
    return sections_.at(section).spins.at(field);
}

PlaceCompleter* EntryWindow::placeCompleter(Section section) const {
    return sections_.at(section).places;
}

QCheckBox* EntryWindow::zoneFromPlace(Section section) const {
    return sections_.at(section).zoneFromPlace;
}

QLabel* EntryWindow::zoneNote(Section section) const {
    return sections_.at(section).zoneNote;
}

QCheckBox* EntryWindow::bodyCheck(const QString& control) const {
    for (const auto& [index, box] : bodyChecks_)
        if (box->objectName() == control) return box;
    return nullptr;
}

}  // namespace quintaro
