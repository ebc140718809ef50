// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/wheel_window.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/painter_surface.h"
#include "ui/wheel_export.h"
#include "ui/widget_helpers.h"
#include "wheels/house_wheel.h"

namespace quintaro {

namespace {

struct StyleMenuEntry {
    WheelStyle style;
    const char* caption;
    const char* objectName;
};
constexpr StyleMenuEntry StyleMenu[] = {
    {WheelStyle::Lens, "&Lens wheel", "mnuStyleLens"},
    {WheelStyle::Duo, "&Duo wheel (geo + helio)", "mnuStyleDuo"},
    {WheelStyle::House, "&House wheel", "mnuStyleHouse"},
    {WheelStyle::Zodiac, "&Zodiac wheel", "mnuStyleZodiac"},
};

}  // namespace

const std::vector<HouseSystemMenuEntry>& HouseSystemMenu() {
    static const std::vector<HouseSystemMenuEntry> entries = {
        {HouseSystem::Regiomontanus, "mnuHouseRegiomontanus"},
        {HouseSystem::Koch, "mnuHouseKoch"},
        {HouseSystem::Campanus, "mnuHouseCampanus"},
        {HouseSystem::Porphyry, "mnuHousePorphyry"},
        {HouseSystem::EqualAscendant, "mnuHouseEqualAsc"},
        {HouseSystem::EqualMC, "mnuHouseEqualMC"},
        {HouseSystem::Meridian, "mnuHouseMeridian"},
        {HouseSystem::Morinus, "mnuHouseMorinus"},
        {HouseSystem::Placidus, "mnuHousePlacidus"},
        {HouseSystem::Arabic, "mnuHouseArabic"},
        {HouseSystem::Natural, "mnuHouseNatural"},
        {HouseSystem::Solar, "mnuHouseSolar"},
        {HouseSystem::VelmAstro, "mnuHouseVelmAstro"},
    };
    return entries;
}

WheelWindow::WheelWindow(WorkstationController& controller, QWidget* parent, WheelWindowKind kind)
    : QWidget(parent),
      controller_(controller),
      kind_(kind),
      canvas_(new QWidget(this)),
      report_(new QLabel(this)) {
    view_.houseSystem = controller.workstation().houseSystem;
    switch (kind) {
        case WheelWindowKind::Chartwheels:
            setObjectName(QStringLiteral("Wheels"));
            setWindowTitle(QStringLiteral("Chartwheels"));
            break;
        case WheelWindowKind::Duo:
            setObjectName(QStringLiteral("Wheels_2"));
            setWindowTitle(QStringLiteral("Duo Chartwheels"));
            view_.style = WheelStyle::Duo;
            break;
        case WheelWindowKind::House:
            setObjectName(QStringLiteral("wheels_small_geo_houses"));
            setWindowTitle(QStringLiteral("House Chartwheel"));
            view_.style = WheelStyle::House;
            view_.view.withTransit = false;
            break;
    }
    canvas_->setObjectName(QStringLiteral("wheelCanvas"));
    canvas_->setMinimumSize(300, 300);
    canvas_->installEventFilter(this);
    report_->setObjectName(QStringLiteral("lblReport"));
    auto* bar = new QMenuBar(this);
    buildMenus(bar);
    auto* choices = new QWidget(this);
    buildChoices(choices);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    layout->addWidget(choices);
    layout->addWidget(canvas_, 1);
    layout->addWidget(report_);
    auto repaint = [this] { canvas_->update(); };
    connect(&controller_, &WorkstationController::computed, this, repaint);
    connect(&controller_, &WorkstationController::displayChanged, this, repaint);
    resize(sizeHint());
}

QSize WheelWindow::sizeHint() const {
    return kind_ == WheelWindowKind::Duo ? QSize(900, 600) : QSize(620, 640);
}

void WheelWindow::buildMenus(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* print = file->addAction(QStringLiteral("&Print wheel"));
    print->setObjectName(QStringLiteral("mnuPrintWheel"));
    connect(print, &QAction::triggered, this, [this] { printWheel(); });

    if (kind_ == WheelWindowKind::Chartwheels) {
        QMenu* styles = bar->addMenu(QStringLiteral("&Style"));
        auto* group = new QActionGroup(this);
        for (const StyleMenuEntry& entry : StyleMenu) {
            QAction* action = styles->addAction(QString::fromLatin1(entry.caption));
            action->setObjectName(QString::fromLatin1(entry.objectName));
            action->setCheckable(true);
            action->setChecked(entry.style == view_.style);
            group->addAction(action);
            const WheelStyle style = entry.style;
            connect(action, &QAction::triggered, this, [this, style] { chooseStyle(style); });
        }
    }
    if (kind_ != WheelWindowKind::Duo) {
        QMenu* houses = bar->addMenu(QStringLiteral("&Houses"));
        auto* group = new QActionGroup(this);
        for (const HouseSystemMenuEntry& entry : HouseSystemMenu()) {
            QAction* action = houses->addAction(Q(HouseSystemName(entry.system)));
            action->setObjectName(QString::fromLatin1(entry.objectName));
            action->setCheckable(true);
            action->setChecked(view_.houseSystem == entry.system);
            group->addAction(action);
            const HouseSystem system = entry.system;
            connect(action, &QAction::triggered, this,
                    [this, system] { chooseHouseSystem(system); });
        }
    }
    if (kind_ == WheelWindowKind::House) {
        QMenu* view = bar->addMenu(QStringLiteral("&View"));
        for (const auto& [caption, name] : {std::pair{"Eclipses", "mnuViewEclipses"},
                                            {"Eclipse aspects", "mnuViewCACEclipses"}}) {
            QAction* action = view->addAction(QString::fromLatin1(caption));
            action->setObjectName(QString::fromLatin1(name));
            action->setEnabled(false);  // the eclipse views come later
        }
    }
}

void WheelWindow::buildChoices(QWidget* choices) {
    auto* row = new QHBoxLayout(choices);
    row->setContentsMargins(4, 2, 4, 2);
    auto choice = [&](const char* caption, const char* name, bool WheelView::*flag) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), choices);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(view_.view.*flag);
        connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
            view_.view.*flag = on;
            canvas_->update();
        });
        row->addWidget(box);
    };
    choice("Natal + transit", "chkWithTransit", &WheelView::withTransit);
    if (kind_ == WheelWindowKind::Chartwheels)
        choice("Heliocentric (lens wheel)", "chkWheelHelio", &WheelView::heliocentric);
    row->addStretch(1);
}

void WheelWindow::chooseStyle(WheelStyle style) {
    view_.style = style;
    for (const StyleMenuEntry& entry : StyleMenu)
        if (auto* action = findChild<QAction*>(QString::fromLatin1(entry.objectName)))
            action->setChecked(entry.style == style);
    canvas_->update();
}

void WheelWindow::chooseHouseSystem(HouseSystem system) {
    view_.houseSystem = system;
    for (const HouseSystemMenuEntry& entry : HouseSystemMenu())
        if (auto* action = findChild<QAction*>(QString::fromLatin1(entry.objectName)))
            action->setChecked(entry.system == system);
    canvas_->update();
}

StyledWheel WheelWindow::wheel(const WheelTarget& target) const {
    return BuildStyledWheel(controller_.session(), view_, target);
}

const WheelLayout& WheelWindow::layout() const {
    static const WheelLayout none;
    return layout_.wheels.empty() ? none : layout_.wheels.front();
}

void WheelWindow::paintCanvas() {
    QPainter painter(canvas_);
    const double w = canvas_->width(), h = canvas_->height();
    PainterSurface surface(painter, w, h);
    WheelTarget target;
    target.deviceWidth = w;
    target.deviceHeight = h;
    layout_ = DrawStyledWheel(surface, wheel(target));
    // The message boxes wait until the paint is over.
    QTimer::singleShot(0, this, [this] { tellLeftOut(); });
}

void WheelWindow::tellLeftOut() {
    std::vector<std::pair<int, int>> now;
    for (const LeftOutBody& body : layout_.leftOut) now.emplace_back(body.body, body.house);
    if (now == toldLeftOut_) return;
    for (const LeftOutBody& body : layout_.leftOut)
        if (std::find(toldLeftOut_.begin(), toldLeftOut_.end(), std::pair{body.body, body.house}) ==
            toldLeftOut_.end())
            controller_.workstation().messages.show(std::string(HouseFullTitle),
                                                    HouseFullText(body), MessageIcon::Information);
    toldLeftOut_ = std::move(now);
}

void WheelWindow::clickAt(QPointF at) {
    const double w = canvas_->width(), h = canvas_->height();
    const Point device{at.x(), at.y()};
    report_->setText(QString::fromStdString(StyledClickReport(layout_, device, w, h)));
    const std::string clip = StyledClipboardText(layout_, device, w, h);
    if (!clip.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(clip));
}

void WheelWindow::printWheel() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print wheel"));
    if (dialog.exec() != QDialog::Accepted) return;
    WheelTarget target;
    target.printer = true;
    if (!PrintStyledWheel(wheel(target), printer))
        controller_.workstation().messages.show("Warning!", "The wheel could not be printed.",
                                                MessageIcon::Exclamation);
}

bool WheelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_) {
        if (event->type() == QEvent::Paint) {
            paintCanvas();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            clickAt(static_cast<QMouseEvent*>(event)->position());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quintaro
