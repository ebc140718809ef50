// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/predictive_windows.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/predictive_charts.h"
#include "core/formatting.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

QLabel* ResultLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lblResult"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// "6/15/2020 8.12 P.M." as the transit fields now read.
QString MomentText(const DerivedTransit& d) {
    const CivilDate& date = d.local.date;
    std::string text = std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
                       std::to_string(date.year);
    if (d.withClock)
        text += " " + FormatNumber(d.local.clock, "#0.00") + " " + MeridiemText(d.local.meridiem);
    return QString::fromStdString(text);
}

// The entry window shows the fields just written, and every display follows the computation.
void Transferred(WorkstationController& controller, bool recompute) {
    Q_EMIT controller.entryChanged();
    if (recompute) controller.recalc();
}

}  // namespace

ProgressForm::ProgressForm(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("Velm progressions"));
    PredictiveForm& form = controller_.session().predictive.progression;
    form = OpenPredictiveForm(controller_.entry(), controller_.workstation().clock);
    fields_ = new PredictiveFields(controller_, form, ChartFileTarget::NatalAndTransitDate, this);
    auto* calculate = NamedButton("Progress into transit", "cmdCalculate", this);
    result_ = ResultLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_);
    layout->addWidget(calculate);
    layout->addWidget(result_);
    connect(calculate, &QPushButton::clicked, this, &ProgressForm::calculate);
}

void ProgressForm::calculate() {
    Session& session = controller_.session();
    const auto derived = ProgressIntoTransit(session, session.predictive.progression);
    if (!derived) return;
    result_->setText(QStringLiteral("Progressed: ") + MomentText(*derived));
    Transferred(controller_, true);
}

SolarArcForm::SolarArcForm(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("SolarArcForm"));
    setWindowTitle(QStringLiteral("Solar arc progressions"));
    Session& session = controller_.session();
    PredictiveForm& form = session.predictive.solarArc;
    form = OpenPredictiveForm(controller_.entry(), controller_.workstation().clock);
    OpenSolarArcMode(session, form);
    fields_ = new PredictiveFields(controller_, form, ChartFileTarget::Everything, this);
    auto* recalc = NamedButton("Recalc", "cmdReCalc", this);
    auto* transfer = NamedButton("Transfer to transit", "cmdXferSolarArcDataToTransit", this);
    result_ = ResultLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(recalc);
    buttons->addWidget(transfer);
    layout->addLayout(buttons);
    layout->addWidget(result_);
    connect(recalc, &QPushButton::clicked, this, &SolarArcForm::recalc);
    connect(transfer, &QPushButton::clicked, this, &SolarArcForm::transfer);
}

SolarArcForm::~SolarArcForm() {
    SetSolarArcMode(controller_.workstation(), false);
    if (!controller_.closing()) controller_.recalc();
}

bool SolarArcForm::direct() {
    Session& session = controller_.session();
    const auto chart = DirectIntoTransit(session, session.predictive.solarArc);
    if (!chart) return false;
    result_->setText(QStringLiteral("Geocentric arc %1, heliocentric arc %2")
                         .arg(QString::fromStdString(FormatNumber(chart->arcs.geo, "0.0000")),
                              QString::fromStdString(FormatNumber(chart->arcs.helio, "0.0000"))));
    return true;
}

void SolarArcForm::recalc() {
    if (direct()) Transferred(controller_, true);
}

void SolarArcForm::transfer() {
    if (direct()) Transferred(controller_, false);
}

ReturnsForm::ReturnsForm(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("ReturnsForm"));
    setWindowTitle(QStringLiteral("Solar & Lunar Returns"));
    PredictiveForms& forms = controller_.session().predictive;
    forms.returns = OpenPredictiveForm(controller_.entry(), controller_.workstation().clock);
    fields_ = new PredictiveFields(controller_, forms.returns, ChartFileTarget::Everything, this);
    auto* group = new QButtonGroup(this);
    auto* solar = new QRadioButton(QStringLiteral("Solar return"), this);
    solar->setObjectName(QStringLiteral("optReturnsType0"));
    auto* lunar = new QRadioButton(QStringLiteral("Lunar return"), this);
    lunar->setObjectName(QStringLiteral("optReturnsType1"));
    group->addButton(solar);
    group->addButton(lunar);
    (forms.returnBody == ReturnBody::Moon ? lunar : solar)->setChecked(true);
    connect(lunar, &QRadioButton::toggled, this, [this](bool on) {
        controller_.session().predictive.returnBody = on ? ReturnBody::Moon : ReturnBody::Sun;
    });
    auto* calculate = NamedButton("Return into transit", "cmdCalculate", this);
    result_ = ResultLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_);
    auto* choice = new QHBoxLayout;
    choice->addWidget(solar);
    choice->addWidget(lunar);
    choice->addStretch(1);
    layout->addLayout(choice);
    layout->addWidget(calculate);
    layout->addWidget(result_);
    connect(calculate, &QPushButton::clicked, this, &ReturnsForm::calculate);
}

void ReturnsForm::calculate() {
    Session& session = controller_.session();
    const PredictiveForms& forms = session.predictive;
    const auto derived = ReturnIntoTransit(session, forms.returns, forms.returnBody);
    if (!derived) return;
    result_->setText((forms.returnBody == ReturnBody::Sun ? QStringLiteral("Solar return: ")
                                                          : QStringLiteral("Lunar return: ")) +
                     MomentText(*derived));
    Transferred(controller_, true);
}

SiderealForm::SiderealForm(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName(QStringLiteral("SiderealForm"));
    setWindowTitle(QStringLiteral("Sidereal chart"));
    Workstation& ws = controller_.workstation();
    SetSiderealMode(ws, true, ws.positions.sidereal.type);
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"SVP (Sidereal Vernal Point)", "True Ayanamsa"};
    auto* layout = new QVBoxLayout(this);
    for (int type = 0; type < 2; ++type) {
        types_[type] = new QRadioButton(QString::fromLatin1(captions[type]), this);
        types_[type]->setObjectName(QStringLiteral("optSiderealType%1").arg(type));
        group->addButton(types_[type], type);
        layout->addWidget(types_[type]);
    }
    types_[ws.positions.sidereal.type == 1 ? 1 : 0]->setChecked(true);
    auto* calculate = NamedButton("Calculate", "cmdCalculate", this);
    layout->addWidget(calculate);
    connect(calculate, &QPushButton::clicked, this, &SiderealForm::calculate);
}

SiderealForm::~SiderealForm() {
    Workstation& ws = controller_.workstation();
    SetSiderealMode(ws, false, ws.positions.sidereal.type);
    if (!controller_.closing()) controller_.recalc();
}

void SiderealForm::calculate() {
    SetSiderealMode(controller_.workstation(), true, types_[1]->isChecked() ? 1 : 0);
    controller_.recalc();
}

}  // namespace quintaro
