// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/screenshot.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace quintaro::test {

namespace {

std::vector<TestFactory>& Registry() {
    static std::vector<TestFactory> factories;
    return factories;
}

}  // namespace

int RegisterUiTest(TestFactory factory) {
    Registry().push_back(std::move(factory));
    return static_cast<int>(Registry().size());
}

UiFixture::UiFixture() {
    session = std::make_unique<Session>(folder.path(), messages);
    // 18:05 UT: 1:05 P.M. on the clock of the default home zone (5 hours west).
    session->workstation.clock = [] { return DateTimeParts{2026, 12, 6, 18, 5, 0}; };
    window = std::make_unique<MainWindow>(*session);
    FileDialogs& dialogs = window->controller().dialogs();
    dialogs.open = [this](const FileRequest& request) {
        requests.push_back(request);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    };
    // Several files in one answer are separated by "|".
    dialogs.openMany = [this](const FileRequest& request) {
        requests.push_back(request);
        return openAnswers.isEmpty()
                   ? QStringList()
                   : openAnswers.takeFirst().split(QLatin1Char('|'), Qt::SkipEmptyParts);
    };
    dialogs.save = [this](const FileRequest& request) {
        requests.push_back(request);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    };
    window->resize(1280, 900);
    window->show();
    QTEST_ASSERT(window->start());
    QApplication::processEvents();
}

UiFixture::~UiFixture() {
    window->shutDown();
    window.reset();
}

void UiFixture::type(Section section, EntryField field, const QString& text) {
    FieldEdit* edit = entryWindow().field(section, field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void UiFixture::typeOption(OptionField field, const QString& text) {
    FieldEdit* edit = entryWindow().option(field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void UiFixture::click(const char* button) {
    auto* push = window->findChild<QPushButton*>(QString::fromLatin1(button));
    QTEST_ASSERT(push && push->isEnabled());
    // A button of a window that another maximised window covers takes no mouse click.
    if (push->isVisible())
        QTest::mouseClick(push, Qt::LeftButton);
    else
        push->click();
}

void UiFixture::trigger(const char* command) {
    QAction* action = window->command(QString::fromLatin1(command));
    QTEST_ASSERT(action && action->isEnabled());
    action->trigger();
}

QString UiFixture::gridCell(int slot, int column) {
    QTableWidgetItem* item = entryWindow().grid()->item(slot - 1, column);
    return item ? item->text() : QString();
}

void UiFixture::screenshot(const QString& name) {
    SaveScreenshot(*window, QStringLiteral(QUINTARO_BINARY_DIR "/screenshots/") + name +
                                QStringLiteral(".png"));
}

void Press(QWidget* window, const char* button) {
    auto* push = window->findChild<QPushButton*>(QString::fromLatin1(button));
    QTEST_ASSERT(push);
    push->click();
}

QString Shown(UiFixture& f, Section section, EntryField field) {
    return f.entryWindow().field(section, field)->text();
}

QString LongitudeCell(int degrees, int sign, int minutes) {
    return QStringLiteral("%1").arg(degrees, 2, 10, QLatin1Char('0')) + QChar(0xF000 + 128 + sign) +
           QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0'));
}

}  // namespace quintaro::test

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--expect-classes") == 0) {
        const auto registered = quintaro::test::Registry().size();
        if (std::to_string(registered) == argv[2]) return 0;
        std::fprintf(stderr, "test_ui: %zu test classes registered, %s have a test entry\n",
                     registered, argv[2]);
        return 1;
    }
    // "test_ui WheelWindowTest [QtTest options]" runs one class only.
    QString only;
    if (argc > 1 && argv[1][0] != '-') {
        only = QString::fromLocal8Bit(argv[1]);
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    int failures = 0;
    int classesRun = 0;
    for (const auto& factory : quintaro::test::Registry()) {
        std::unique_ptr<QObject> test = factory();
        const QString className = QString::fromLatin1(test->metaObject()->className());
        if (!only.isEmpty() && className.section(QStringLiteral("::"), -1) != only) continue;
        ++classesRun;
        failures += QTest::qExec(test.get(), argc, argv);
    }
    if (classesRun == 0) {
        std::fprintf(stderr, "test_ui: no test class named %s\n", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
