// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/session.h"
#include "recording_messages.h"
#include "temp_folder.h"
#include "ui/entry_window.h"
#include "ui/main_window.h"

namespace quintaro::test {

// Test classes register themselves; main runs them one after the other.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
int RegisterUiTest(TestFactory factory);
#define QUINTARO_UI_TEST(Class)          \
    static const int Class##Registered = \
        ::quintaro::test::RegisterUiTest([] { return std::make_unique<Class>(); })

// The workstation started in a fresh installation folder, with a fixed "Now" (6 Dec 2026,
// 1:05 PM) and file dialogs that answer from queues (an empty queue answers Cancel).
struct UiFixture {
    UiFixture();
    ~UiFixture();

    Workstation& ws() { return session->workstation; }
    EntryModel& entry() { return session->workstation.entry; }
    EntryWindow& entryWindow() { return *window->entryWindow(); }
    // Types a text into a field as the user would: select all, then the keys.
    void type(Section section, EntryField field, const QString& text);
    void typeOption(OptionField field, const QString& text);
    void click(const char* button);
    void trigger(const char* command);
    QString gridCell(int slot, int column);
    // Saves the main window in build/screenshots/<name>.png.
    void screenshot(const QString& name);

    TempFolder folder;
    RecordingMessages messages;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
    QStringList openAnswers, saveAnswers;
    std::vector<FileRequest> requests;
};

// Clicks the push button named `button` inside `window`; fails the test if there is none.
void Press(QWidget* window, const char* button);

// The text a field of the entry window shows.
QString Shown(UiFixture& f, Section section, EntryField field);

// The grid text of a longitude: degrees "00", the sign's glyph, minutes "00" (sign 1 = Aries).
QString LongitudeCell(int degrees, int sign, int minutes);

}  // namespace quintaro::test
