// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/symmetry_window.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "app/synch_runs.h"
#include "core/formatting.h"
#include "ui/small_wheel_window.h"
#include "ui/synch_windows.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {}  // namespace

SymmetryWindow::SymmetryWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller), heading_(new QLabel(this)) {
    setObjectName(QStringLiteral("Symmetry_form"));
    setWindowTitle(QStringLiteral("Symmetrical Patterns"));
    heading_->setObjectName(QStringLiteral("lblHeading"));
    heading_->setWordWrap(true);
    auto* buttons = new QWidget(this);
    auto* grid = new QGridLayout(buttons);
    grid->setContentsMargins(0, 0, 0, 0);
    auto add = [&](int row, int column, const QString& caption, const char* name, auto slot) {
        QPushButton* button = NamedButton(caption, name, buttons);
        grid->addWidget(button, row, column);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    add(0, 0, QStringLiteral("Load synch files"), "cmdLoadSynchFiles",
        [this] { ChooseSynchFiles(controller_); });
    add(0, 1, QStringLiteral("Select synch planets"), "cmdSelect_Sym_Planets",
        [this] { ShowMainChildWindow(this, QStringLiteral("Syn_Opt")); });
    add(0, 2, QStringLiteral("Find symmetrical patterns"), "cmdCalcSymmetricalPatterns",
        [this] { calculate(); });
    struct WheelButton {
        const char* name;
        const char* caption;
        SmallWheel wheel;
        bool mixedFirst;
    };
    const WheelButton wheels[] = {
        {"cmdLoadDGLWindow", "Geo wheels", SmallWheel::SymmetryGeo, false},
        {"cmdLoadDHLWindow", "Helio wheels", SmallWheel::SymmetryHelio, false},
        {"cmdLoadSGLWindow", "Geo wheels from natal-transit", SmallWheel::SymmetryGeo, true},
        {"cmdLoadSHLWindow", "Helio wheels from natal-transit", SmallWheel::SymmetryHelio, true}};
    for (size_t k = 0; k < 4; ++k) {
        const WheelButton w = wheels[k];
        wheelButtons_[k] =
            add(1, static_cast<int>(k), QString::fromLatin1(w.caption), w.name, [this, w] {
                const SynchSession& synch = controller_.session().synch;
                ShowSmallWheel(this, controller_, w.wheel, 1,
                               w.mixedFirst ? FirstMixedPattern(synch, w.wheel) : 1);
            });
    }
    patterns_ = FixedPitchPane(QStringLiteral("txtPatterns"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(buttons);
    layout->addWidget(patterns_, 1);
    showResults();
    resize(640, 560);
}

bool SymmetryWindow::calculate() {
    const bool done = CalculateSymmetricalPatterns(controller_.session());
    showResults();
    if (done) controller_.refreshDisplays();  // open small wheels show the new lists
    return done;
}

void SymmetryWindow::showResults() {
    const SynchSession& synch = controller_.session().synch;
    const bool done = synch.symmetryComputed;
    heading_->setText(done ? QString::fromStdString(synch.symmetryHeading)
                           : QStringLiteral("Symmetrical patterns"));
    patterns_->setPlainText(done ? QString::fromStdString(SymmetryListing(synch.symmetry))
                                 : QString());
    for (QPushButton* button : wheelButtons_) button->setEnabled(done);
}

SymmetryOrbsWindow::SymmetryOrbsWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      geo_(new FieldEdit({6, kDecimalKeys}, "txtOrb_gl", this)),
      helio_(new FieldEdit({6, kDecimalKeys}, "txtOrb_hl", this)) {
    setObjectName(QStringLiteral("frmSetSymOrbs"));
    setWindowTitle(QStringLiteral("Symmetrical Orbs"));
    geo_->setObjectName(QStringLiteral("txtOrb_gl"));
    helio_->setObjectName(QStringLiteral("txtOrb_hl"));
    auto* apply = NamedButton(QStringLiteral("Apply"), "cmdApply", this);
    connect(apply, &QPushButton::clicked, this, [this] { this->apply(); });
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Geo orb"), this), 0, 0);
    grid->addWidget(geo_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Helio orb"), this), 1, 0);
    grid->addWidget(helio_, 1, 1);
    grid->addWidget(apply, 2, 1);
    showOrbs();
}

void SymmetryOrbsWindow::showOrbs() {
    const auto& orbs = controller_.session().synch.symmetryOrbs;
    geo_->setText(QString::fromStdString(FormatNumber(orbs[0], "0.00")));
    helio_->setText(QString::fromStdString(FormatNumber(orbs[1], "0.00")));
}

void SymmetryOrbsWindow::apply() {
    auto& orbs = controller_.session().synch.symmetryOrbs;
    orbs[0] = LeadingNumber(geo_->text().toStdString());
    orbs[1] = LeadingNumber(helio_->text().toStdString());
    showOrbs();
}

}  // namespace quintaro
