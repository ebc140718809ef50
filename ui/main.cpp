// SPDX-License-Identifier: AGPL-3.0-or-later
// The workstation program: quintaro [--home DIR] [--screenshot FILE.png] [--timing]
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "app/session.h"
#include "core/install_folder.h"
#include "ui/main_window.h"
#include "ui/qt_messages.h"
#include "ui/screenshot.h"
#include "ui/timing.h"

namespace {

constexpr const char* kNoDisplay =
    "quintaro: no display could be opened; to run without one start it with "
    "QT_QPA_PLATFORM=offscreen (for example with --screenshot FILE.png), or use quintaro-cli.\n";

struct ProgramOptions {
    QCommandLineOption home{QStringLiteral("home"),
                            QStringLiteral("Installation folder (default: "
                                           "$QUINTARO_HOME or ~/.local/share/quintaro)."),
                            QStringLiteral("DIR")};
    QCommandLineOption screenshot{
        QStringLiteral("screenshot"),
        QStringLiteral("Start, compute \"Now\", save the main window as a PNG file and exit."),
        QStringLiteral("FILE.png")};
    QCommandLineOption timing{QStringLiteral("timing"),
                              QStringLiteral("Print the time from start to the shown chart.")};

    void addTo(QCommandLineParser& parser) const {
        parser.setApplicationDescription(QStringLiteral(
            "Quintaro astrology workstation. Without a display set QT_QPA_PLATFORM=offscreen; "
            "the same operations without windows: quintaro-cli."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(home);
        parser.addOption(screenshot);
        parser.addOption(timing);
    }
};

void NameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("quintaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUINTARO_VERSION));
}

// Help and version are answered before the window toolkit starts, so that they work anywhere.
bool AsksForHelpOrVersion(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        for (const char* flag : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], flag) == 0) return true;
    return false;
}

bool HasValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether the toolkit can be expected to find a screen: a display, or a platform chosen by the
// user (QT_QPA_PLATFORM or -platform).
bool DisplayExpected(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) return true;
    return HasValue("QT_QPA_PLATFORM") || HasValue("DISPLAY") || HasValue("WAYLAND_DISPLAY");
}

// A display that is named but cannot be opened makes the toolkit give up with a fatal message
// after a few warnings of its platform layer; the user gets the same one sentence as without a
// display instead. The platform layer's warnings are held back until the window toolkit runs.
QtMessageHandler previousHandler = nullptr;
QStringList heldBack;
void ReportMissingDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && text.contains(QStringLiteral("platform plugin"))) {
        std::cerr << kNoDisplay;
        std::_Exit(1);
    }
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) {
        heldBack.append(QString::fromUtf8(context.category) + QStringLiteral(": ") + text);
        return;
    }
    if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    ProgramOptions options;
    if (AsksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        NameTheProgram();
        QCommandLineParser parser;
        options.addTo(parser);
        parser.process(app);  // prints and exits
        return 0;
    }
    if (!DisplayExpected(argc, argv)) {
        std::cerr << kNoDisplay;
        return 1;
    }
    previousHandler = qInstallMessageHandler(ReportMissingDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const QString& message : heldBack) std::cerr << message.toStdString() << '\n';
    NameTheProgram();

    QCommandLineParser parser;
    options.addTo(parser);
    parser.process(app);

    const bool screenshot = parser.isSet(options.screenshot);
    const std::filesystem::path home =
        parser.isSet(options.home) ? std::filesystem::path(parser.value(options.home).toStdString())
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
    if (parser.isSet(options.timing)) {
        QCoreApplication::processEvents();
        std::cerr << "start to shown chart: " << sinceStart.elapsed() << " ms\n";
        std::cerr << "recalc with every grid window and the wheel open: "
                  << quintaro::TimeRecalc(window, 50) << " ms\n";
    }
    if (screenshot) {
        const QString file = parser.value(options.screenshot);
        const bool saved = quintaro::SaveScreenshot(window, file);
        if (!saved) std::cerr << "quintaro: cannot write " << file.toStdString() << '\n';
        const bool shut = window.shutDown();
        return saved && shut ? 0 : 1;
    }
    return QApplication::exec();
}
