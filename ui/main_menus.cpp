// SPDX-License-Identifier: AGPL-3.0-or-later
// The main window's menus. Commands of windows that come later are present and disabled.
#include <QActionGroup>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "aspects/aspect_grid.h"
#include "ui/aspect_grid_window.h"
#include "ui/entry_window.h"
#include "ui/main_window.h"
#include "ui/wheel_export.h"
#include "ui/wheel_window.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {}  // namespace

QAction* MainWindow::addCommand(QMenu* menu, const QString& caption, const QString& name,
                                std::function<void()> action) {
    QAction* command = menu->addAction(caption);
    command->setObjectName(name);
    commands_[name] = command;
    if (action)
        connect(command, &QAction::triggered, this, [action] { action(); });
    else
        command->setEnabled(false);
    return command;
}

void MainWindow::buildMenus() {
    buildFileMenu();
    buildDataMenu();
    buildAspectMenus();
    buildChartMenus();
    buildOptionMenu();
    buildLaterMenus();
    buildInterpsMenu();
    buildWindowMenu();
}

void MainWindow::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addCommand(file, QStringLiteral("&Load .OPT File"), QStringLiteral("mnuFileLoadNewData"),
               [this] { controller_.loadChartFile(ChartFileTarget::Everything); });
    addCommand(file, QStringLiteral("&Save .OPT File"), QStringLiteral("mnuFileSaveData"),
               [this] { controller_.saveChartFile(false); });
    addCommand(file, QStringLiteral("Save &As .OPT File"), QStringLiteral("mnuFileSaveAsData"),
               [this] { controller_.saveChartFile(true); });
    addCommand(file, QStringLiteral("Load natal data only"),
               QStringLiteral("mnuFile_LoadNatalDataOnly"),
               [this] { controller_.loadChartFile(ChartFileTarget::NatalOnly); });
    file->addSeparator();
    addCommand(file, QStringLiteral("Print wheel"), QStringLiteral("mnuFilePrintWheel"), [this] {
        printWheel();
    })->setEnabled(false);
    addCommand(file, QStringLiteral("Export wheel (PNG, SVG, PDF)..."),
               QStringLiteral("mnuFileExportWheel"), [this] { exportWheel(); })
        ->setEnabled(false);
    buildPrintCommands(file);
    file->addSeparator();
    addCommand(file, QStringLiteral("E&xit"), QStringLiteral("mnuFileExit"), [this] { close(); });
}

void MainWindow::buildDataMenu() {
    QMenu* data = menuBar()->addMenu(QStringLiteral("&Data"));
    data->setObjectName(QStringLiteral("mnuData"));
    QMenu* coordinates = data->addMenu(QStringLiteral("Set exact coordinates"));
    coordinates->setObjectName(QStringLiteral("mnuDataCoordinates"));
    const std::pair<LocationPreset, const char*> presets[] = {
        {LocationPreset::NyseEst, "mnuDataCoordinatesEST"},
        {LocationPreset::NyseEdt, "mnuDataCoordinatesEDT"},
        {LocationPreset::CmeCst, "mnuDataCoordinatesCST"},
        {LocationPreset::CmeCdt, "mnuDataCoordinatesCDT"}};
    for (const auto& [preset, name] : presets) {
        const LocationPreset which = preset;
        addCommand(coordinates, QString::fromLatin1(PresetPlace(preset).name),
                   QString::fromLatin1(name), [this, which] { controller_.setPreset(which); });
    }
    QAction* transfer = addCommand(data, QStringLiteral("Transfer natal coord/zone to transit"),
                                   QStringLiteral("mnuDataTransferNatalCoordZone2Transit"), [] {});
    transfer->setCheckable(true);
    connect(transfer, &QAction::toggled, &controller_,
            &WorkstationController::transferNatalToTransit);
    addCommand(data, QStringLiteral("&Switch Data"), QStringLiteral("mnuDataSwitchData"),
               [this] { controller_.swapSections(); });
    QAction* toggle = addCommand(
        data, Q(PartOfFortuneVertexMenuCaption(session_.workstation.catalogue)),
        QStringLiteral("mnuDataPoF_VertexToggle"), [this] {
            controller_.togglePartOfFortuneVertex();
            command(QStringLiteral("mnuDataPoF_VertexToggle"))
                ->setText(Q(PartOfFortuneVertexMenuCaption(session_.workstation.catalogue)));
        });
    (void)toggle;
    addCommand(data, QStringLiteral("Time Orb Filter"), QStringLiteral("mnuDataTimeOrbFilter"),
               [this] { showChildWindow(QStringLiteral("frmTimeOrbFilter")); });
    addCommand(data, QStringLiteral("1750 ephemeris option"),
               QStringLiteral("mnuData1750EphemerisOption"));
    data->addSeparator();

    DisplayChoices& display = controller_.display();
    auto option = [&](const char* caption, const char* name, bool DisplayChoices::*flag) {
        QAction* action =
            addCommand(data, QString::fromLatin1(caption), QString::fromLatin1(name), [] {});
        action->setCheckable(true);
        action->setChecked(display.*flag);
        connect(action, &QAction::toggled, this, [this, flag](bool on) {
            controller_.display().*flag = on;
            controller_.refreshDisplays();
        });
    };
    option("Longitude Aspect Lines", "mnuDataLongAspectLines", &DisplayChoices::longitudeLines);
    option("Dek/Lat Aspect Lines", "mnuDataDekLatAspectLines", &DisplayChoices::declinationLines);
    option("Variable Lines", "mnuDataVariableLines", &DisplayChoices::variableLines);
    option("Display All As Solid", "mnuDataDisplayAllAsSolid", &DisplayChoices::allSolid);
    option("Toggle Background Color", "mnuDataToggleBackgroundColor",
           &DisplayChoices::whiteBackground);

    // Synchronization ratings and symmetrical patterns.
    data->addSeparator();
    addCommand(data, QStringLiteral("Synchronization ratings"),
               QStringLiteral("mnuDataSynchRatings"),
               [this] { showChildWindow(QStringLiteral("Synch_Ratings")); });
    addCommand(data, QStringLiteral("Find symmetrical patterns"),
               QStringLiteral("mnuDataFindSymmetricalPatterns"),
               [this] { showChildWindow(QStringLiteral("Symmetry_form")); });
    addCommand(data, QStringLiteral("Set symmetrical orbs"),
               QStringLiteral("mnuDataSetSymmetricalOrbs"),
               [this] { showChildWindow(QStringLiteral("frmSetSymOrbs")); });
}

void MainWindow::buildAspectMenus() {
    QMenu* aspects = menuBar()->addMenu(QStringLiteral("&Aspects"));
    aspects->setObjectName(QStringLiteral("mnuAspects"));
    auto modeItem = [this](QMenu* menu, int mode, bool crucial) {
        const QString name = QStringLiteral("mnuMode%1%2")
                                 .arg(mode)
                                 .arg(crucial ? QStringLiteral("_Crucial") : QString());
        addCommand(
            menu, QString::fromLatin1(DisplayModeCaption(mode)), name, [this, mode, crucial] {
                DisplayChoices& display = controller_.display();
                (crucial ? display.crucialMode : display.gridMode) = mode;
                const bool longs = mode == 1 || mode == 8;
                const GridWindow window =
                    crucial
                        ? (longs ? GridWindow::LongAspectsCrucial : GridWindow::DeclAspectsCrucial)
                        : (longs ? GridWindow::LongAspects : GridWindow::DeclAspects);
                if (controller_.entry().options.showGrids) showGridWindow(static_cast<int>(window));
                controller_.refreshDisplays();
            });
    };
    modeItem(aspects, 1, false);
    modeItem(aspects, 2, false);
    QMenu* transits = aspects->addMenu(QStringLiteral("Linkages/Clashes/Transits"));
    modeItem(transits, 8, false);
    modeItem(transits, 9, false);
    QMenu* crucial = aspects->addMenu(QStringLiteral("Crucial"));
    for (int mode : {1, 2, 8, 9}) modeItem(crucial, mode, true);

    QMenu* classes = menuBar()->addMenu(QStringLiteral("Aspect &Classes"));
    classes->setObjectName(QStringLiteral("mnuCAC"));
    auto* group = new QActionGroup(this);
    const char* names[] = {"mnuCACAllAspects",   "mnuCAC150",         "mnuCACPositive",
                           "mnuCACNegative",     "mnuCACQuintiles",   "mnuCACNone",
                           "mnuCACPureLinkages", "mnuCACAllLinkages", "mnuCACSaturnClashes"};
    for (int filter = 0; filter <= 8; ++filter) {
        QAction* action = addCommand(classes, QString::fromLatin1(AspectClassCaption(filter)),
                                     QString::fromLatin1(names[filter]), [this, filter] {
                                         controller_.display().aspectClass = filter;
                                         controller_.refreshDisplays();
                                     });
        action->setCheckable(true);
        action->setChecked(filter == controller_.display().aspectClass);
        group->addAction(action);
    }
    classes->addSeparator();
    QAction* geometric = addCommand(classes, QStringLiteral("Geometric Pattern Lines"),
                                    QStringLiteral("mnuCACGeometricPatternLines"), [] {});
    geometric->setCheckable(true);
    connect(geometric, &QAction::toggled, this, [this](bool on) {
        controller_.display().geometricPatternLines = on;
        controller_.refreshDisplays();
    });
}

void MainWindow::buildChartMenus() {
    QMenu* charts = menuBar()->addMenu(QStringLiteral("&Charts"));
    charts->setObjectName(QStringLiteral("mnuCharts"));
    addCommand(charts, QStringLiteral("Velm Charts"), QStringLiteral("mnuVelmCharts"), [this] {
        showWheelWindow();
    })->setEnabled(false);
    addCommand(charts, QStringLiteral("&Select Line Angles"),
               QStringLiteral("mnuSelectLineAngles"));
    addCommand(charts, QStringLiteral("House Charts"), QStringLiteral("mnuHouseCharts"), [this] {
        showChildWindow(QStringLiteral("wheels_small_geo_houses"));
    })->setEnabled(false);
    addCommand(charts, QStringLiteral("Duo Chartwheels"), QStringLiteral("mnuDuoCharts"), [this] {
        showChildWindow(QStringLiteral("Wheels_2"));
    })->setEnabled(false);
}

void MainWindow::buildOptionMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    const std::pair<const char*, const char*> windows[] = {
        {"Select planets", "Geo_Opt"}, {"Crucial planets", "Crucial_Opt"},
        {"Synch planets", "Syn_Opt"},  {"Blue planets", "Blue_Opt"},
        {"Fit planets", "Fit_Opt"},    {"Synch planet priorities", "PlanetPriorities_Opt"}};
    for (const auto& [caption, name] : windows) {
        const QString window = QString::fromLatin1(name);
        addCommand(options, QString::fromLatin1(caption), QStringLiteral("mnu") + window,
                   [this, window] { showChildWindow(window); });
    }
}

void MainWindow::buildLaterMenus() {
    QMenu* advanced = menuBar()->addMenu(QStringLiteral("Ad&vanced"));
    advanced->setObjectName(QStringLiteral("mnuAdvanced"));
    addCommand(advanced, QStringLiteral("Velm progressions"),
               QStringLiteral("mnuAdvancedVelmProgressions"),
               [this] { showChildWindow(QStringLiteral("ProgressForm")); });
    addCommand(advanced, QStringLiteral("Solar arc progressions"),
               QStringLiteral("mnuWesternSolarArcProgressions"),
               [this] { showChildWindow(QStringLiteral("SolarArcForm")); });
    addCommand(advanced, QStringLiteral("Solar && Lunar &Returns"),
               QStringLiteral("mnuWesternSolarReturns"),
               [this] { showChildWindow(QStringLiteral("ReturnsForm")); });
    addCommand(advanced, QStringLiteral("Sidereal chart"),
               QStringLiteral("mnuWesternSiderealChart"),
               [this] { showChildWindow(QStringLiteral("SiderealForm")); });
    addCommand(advanced, QStringLiteral("Generate aspectarian"),
               QStringLiteral("mnuAdvancedGenerateAspectarian"),
               [this] { showChildWindow(QStringLiteral("VelmAspectarian")); });
    advanced->addSeparator();
    buildDatabaseMenu(advanced);
}

void MainWindow::buildWindowMenu() {
    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("mnuWindow"));
    addCommand(window, QStringLiteral("Data Input"), QStringLiteral("mnuWindowDataInput"), [this] {
        if (entry_) mdi_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(entry_->parentWidget()));
    });
    // DataGrdAspects shows one kind: longitudes, or declinations / latitudes.
    for (bool declinations : {false, true}) {
        addCommand(window,
                   declinations ? QStringLiteral("Aspect Grid (Dek/Lat)")
                                : QStringLiteral("Aspect Grid (Longitudes)"),
                   declinations ? QStringLiteral("mnuShowDataGrdAspectsDekLat")
                                : QStringLiteral("mnuShowDataGrdAspects"),
                   [this, declinations] {
                       controller_.display().gridDeclinationKind = declinations;
                       showGridWindow(static_cast<int>(GridWindow::Aspects));
                   });
    }
    const std::pair<GridWindow, const char*> grids[] = {
        {GridWindow::LongAspects, "Combined Longitudes - geo + helio"},
        {GridWindow::DeclAspects, "Combined Declination/Latitudes"},
        {GridWindow::LongAspectsCrucial, "Crucial Combined Longitudes - geo + helio"},
        {GridWindow::DeclAspectsCrucial, "Crucial Combined Declination/Latitudes"}};
    for (const auto& [grid, caption] : grids) {
        const int which = static_cast<int>(grid);
        addCommand(window, QString::fromLatin1(caption),
                   QStringLiteral("mnuShow") + GridWindowName(grid),
                   [this, which] { showGridWindow(which); });
    }
    addCommand(window, QStringLiteral("Applying aspects only"),
               QStringLiteral("mnuShowfrmApplyingOnly"),
               [this] { showChildWindow(QStringLiteral("frmApplyingOnly")); });
    window->addSeparator();
    addCommand(window, QStringLiteral("&Tile"), QStringLiteral("mnuWindowTile"),
               [this] { mdi_->tileSubWindows(); });
    addCommand(window, QStringLiteral("&Cascade"), QStringLiteral("mnuWindowCascade"),
               [this] { mdi_->cascadeSubWindows(); });
}

void MainWindow::printWheel() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print wheel"));
    if (dialog.exec() != QDialog::Accepted) return;
    StyledWheelView view = wheel_ ? wheel_->styledView() : StyledWheelView{};
    WheelTarget target;
    target.printer = true;
    if (!PrintStyledWheel(BuildStyledWheel(session_, view, target), printer))
        session_.workstation.messages.show("Warning!", "The wheel could not be printed.",
                                           MessageIcon::Exclamation);
}

void MainWindow::exportWheel() {
    Workstation& ws = session_.workstation;
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.save) return;
    const QString file =
        dialogs.save({QStringLiteral("Export wheel"),
                      QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF "
                                     "document (*.pdf)"),
                      QStringLiteral("png"), Q(ws.home.string()), QStringLiteral("wheel.png")});
    if (file.isEmpty()) return;
    StyledWheelView view = wheel_ ? wheel_->styledView() : StyledWheelView{};
    const QString error = ExportStyledWheel(BuildStyledWheel(session_, view, WheelTarget{}), file,
                                            900, ws.path("\\orvessa_paths.txt"), ws.messages);
    if (!error.isEmpty())
        ws.messages.show("Warning!", error.toStdString(), MessageIcon::Exclamation);
}

}  // namespace quintaro
