// SPDX-License-Identifier: AGPL-3.0-or-later
// The workstation program: quintaro [--home DIR] [--screenshot FILE.png] [--timing]
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <iostream>
#include <memory>

#include "app/session.h"
#include "core/install_folder.h"
#include "ui/main_window.h"
#include "ui/qt_messages.h"
#include "ui/screenshot.h"
#include "ui/timing.h"

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quintaro"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quintaro astrology workstation"));
    parser.addHelpOption();
    const QCommandLineOption homeOption(
        QStringLiteral("home"),
        QStringLiteral("Installation folder (default: "
                       "$QUINTARO_HOME or ~/.local/share/quintaro)."),
        QStringLiteral("DIR"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Start, compute \"Now\", save the main window as a PNG file and exit."),
        QStringLiteral("FILE.png"));
    const QCommandLineOption timingOption(
        QStringLiteral("timing"), QStringLiteral("Print the time from start to the shown chart."));
    parser.addOption(homeOption);
    parser.addOption(screenshotOption);
    parser.addOption(timingOption);
    parser.process(app);

    const bool screenshot = parser.isSet(screenshotOption);
    const std::filesystem::path home =
        parser.isSet(homeOption) ? std::filesystem::path(parser.value(homeOption).toStdString())
                                 : quintaro::DefaultHome();
    std::unique_ptr<quintaro::Messages> messages;
    if (screenshot)
        messages = std::make_unique<quintaro::ConsoleMessages>();
    else
        messages = std::make_unique<quintaro::QtMessages>();

    quintaro::Session session(home, *messages);
    quintaro::MainWindow window(session);
    window.show();
    if (!window.start()) {
        std::cerr << "quintaro: the workstation could not start in " << home.string() << '\n';
        return 1;
    }
    if (parser.isSet(timingOption)) {
        QCoreApplication::processEvents();
        std::cerr << "start to shown chart: " << sinceStart.elapsed() << " ms\n";
        std::cerr << "recalc with every grid window and the wheel open: "
                  << quintaro::TimeRecalc(window, 50) << " ms\n";
    }
    if (screenshot) {
        const QString file = parser.value(screenshotOption);
        const bool saved = quintaro::SaveScreenshot(window, file);
        if (!saved) std::cerr << "quintaro: cannot write " << file.toStdString() << '\n';
        const bool shut = window.shutDown();
        return saved && shut ? 0 : 1;
    }
    return QApplication::exec();
}
