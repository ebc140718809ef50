// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/filter_windows.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintaro {

namespace {

FieldEdit* NumberField(const char* name, QWidget* parent) {
    static constexpr FieldRules rules{4, kDigits};
    return new FieldEdit(rules, name, parent);
}

}  // namespace

TimeOrbWindow::TimeOrbWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      days_(NumberField("txtDay", this)),
      hours_(NumberField("txtHour", this)),
      minutes_(NumberField("txtMinute", this)),
      on_(new QRadioButton(QStringLiteral("On"), this)),
      off_(new QRadioButton(QStringLiteral("Off"), this)) {
    setObjectName(QStringLiteral("frmTimeOrbFilter"));
    setWindowTitle(QStringLiteral("Time Orb Filter"));
    const Settings& settings = controller_.workstation().settings;
    TimeOrbFilter& filter = controller_.session().timeOrbFilter;
    filter.active = true;
    filter.days = settings.timeOrbFilterDays;
    filter.hours = settings.timeOrbFilterHours;
    filter.minutes = settings.timeOrbFilterMinutes;

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Days")), 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Hours")), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Minutes")), 0, 2);
    layout->addWidget(days_, 1, 0);
    auto* hourSpin = new SpinButtons(QStringLiteral("udHour"), this);
    auto* minuteSpin = new SpinButtons(QStringLiteral("udMinute"), this);
    auto withSpin = [this](QWidget* field, QWidget* spin) {
        auto* cell = new QWidget(this);
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(field);
        row->addWidget(spin);
        return cell;
    };
    layout->addWidget(withSpin(hours_, hourSpin), 1, 1);
    layout->addWidget(withSpin(minutes_, minuteSpin), 1, 2);
    on_->setObjectName(QStringLiteral("optOnOff0"));
    off_->setObjectName(QStringLiteral("optOnOff1"));
    auto* group = new QButtonGroup(this);
    group->addButton(on_);
    group->addButton(off_);
    (filter.on ? on_ : off_)->setChecked(true);
    layout->addWidget(on_, 2, 0);
    layout->addWidget(off_, 2, 1);
    auto* reset = new QPushButton(QStringLiteral("Reset time orb"), this);
    reset->setObjectName(QStringLiteral("cmdResetTimeOrb"));
    layout->addWidget(reset, 3, 0, 1, 3);

    auto typed = [this](int TimeOrbFilter::*value) {
        return [this, value](const QString& text) {
            controller_.session().timeOrbFilter.*value = text.toInt();
            keepInSettings();
        };
    };
    connect(days_, &QLineEdit::textEdited, this, typed(&TimeOrbFilter::days));
    connect(hours_, &QLineEdit::textEdited, this, typed(&TimeOrbFilter::hours));
    connect(minutes_, &QLineEdit::textEdited, this, typed(&TimeOrbFilter::minutes));
    connect(hourSpin, &SpinButtons::stepped, this, [this](int direction) {
        TimeOrbFilter& f = controller_.session().timeOrbFilter;
        SetTimeOrbHour(f, f.hours + direction);
        showFilter();
    });
    connect(minuteSpin, &SpinButtons::stepped, this, [this](int direction) {
        TimeOrbFilter& f = controller_.session().timeOrbFilter;
        SetTimeOrbMinute(f, f.minutes + direction);
        showFilter();
    });
    connect(on_, &QRadioButton::toggled, this,
            [this](bool on) { controller_.session().timeOrbFilter.on = on; });
    connect(reset, &QPushButton::clicked, this, &TimeOrbWindow::resetTimeOrb);
    showFilter();
}

TimeOrbWindow::~TimeOrbWindow() {
    controller_.session().timeOrbFilter.active = false;
    controller_.recalc();
}

void TimeOrbWindow::showFilter() {
    const TimeOrbFilter& filter = controller_.session().timeOrbFilter;
    days_->showText(std::to_string(filter.days));
    hours_->showText(std::to_string(filter.hours));
    minutes_->showText(std::to_string(filter.minutes));
    keepInSettings();
}

void TimeOrbWindow::keepInSettings() {
    const TimeOrbFilter& filter = controller_.session().timeOrbFilter;
    Settings& settings = controller_.workstation().settings;
    auto clamp16 = [](int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
    settings.timeOrbFilterDays = clamp16(filter.days);
    settings.timeOrbFilterHours = clamp16(filter.hours);
    settings.timeOrbFilterMinutes = clamp16(filter.minutes);
}

void TimeOrbWindow::resetTimeOrb() {
    controller_.recalc();
}

ApplyingOnlyWindow::ApplyingOnlyWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("frmApplyingOnly"));
    setWindowTitle(QStringLiteral("Applying aspects only"));
    auto* single = new QRadioButton(QStringLiteral("Show single line thickness"), this);
    single->setObjectName(QStringLiteral("optSingleLineThickness"));
    auto* variable = new QRadioButton(QStringLiteral("Show variable line thickness"), this);
    variable->setObjectName(QStringLiteral("optVariableThickness"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(single);
    layout->addWidget(variable);
    layout->addWidget(close);
    single->setChecked(true);

    controller_.display().applyingOnlyMode = 1;
    controller_.refreshDisplays();
    connect(single, &QRadioButton::clicked, this, [this] {
        controller_.display().applyingOnlyMode = 1;
        controller_.refreshDisplays();
    });
    connect(variable, &QRadioButton::clicked, this, [this] {
        controller_.display().applyingOnlyMode = 2;
        controller_.refreshDisplays();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            QWidget::close();
    });
}

ApplyingOnlyWindow::~ApplyingOnlyWindow() {
    controller_.display().applyingOnlyMode = 0;
    if (controller_.closing()) return;
    if (controller_.entry().options.applyingOnly) {
        controller_.entry().options.applyingOnly = false;
        Q_EMIT controller_.entryChanged();
    }
    controller_.refreshDisplays();
}

}  // namespace quintaro
