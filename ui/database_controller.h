// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "app/session.h"
#include "database/date_time_entry.h"
#include "database/list_definitions.h"
#include "database/record_forms.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// The commands of the database windows and menus. They work on the session's current database
// and tell the windows what changed: `databaseChanged` when another database is current,
// `recordChanged` when another record is (or the record was read anew), `fieldEdited` when a
// window changed one field of the record in memory, `recordSaved` after a save, `subsetChanged`.
class DatabaseController : public QObject {
    Q_OBJECT
  public:
    explicit DatabaseController(WorkstationController& workstation, QObject* parent = nullptr);

    WorkstationController& workstation() { return workstation_; }
    Session& session() { return workstation_.session(); }
    DatabaseSession& state() { return workstation_.session().database; }
    // The current database; nullptr when none is open.
    const DatabaseView* view() const;
    // The current record's number, 0 when none is loaded.
    long currentNumber() const;

    // The one-line question of the blank-database command (title, label); a null answer means
    // Cancel. Tests put their own answers in.
    std::function<QString(const QString& title, const QString& label)> askText;
    // Where the progress windows and dialogs appear.
    QWidget* dialogParent = nullptr;

    // "Specify .apd database file to load", starting in the database folder. False when nothing
    // was opened.
    bool openDatabase();
    bool open(const std::filesystem::path& file);
    // The list importers: the list, the new database's name, the import with progress and
    // Cancel; the new database becomes the current one and its window opens.
    bool importList(ListKind kind);
    // Asks how many blank records (1 to 99999, asked again otherwise) and the file's name.
    bool createBlankDatabase();

    bool goTo(long number);
    bool step(int direction);
    bool setAlphabetical(bool on);

    // A window's field typed into: the text goes into the record in memory when it can stand
    // there. Empty on success, else why not (the field keeps the text and the record cannot be
    // saved until it is put right).
    std::string editField(const FormField& field, const QString& text);
    bool save();
    // "Transfer birth date" and "Transfer data to main screen": into the natal section, then the
    // charts are computed.
    bool transferBirthDate();
    bool transferBirthData();
    // The date-and-time window's "Save": asks whether to overwrite the loaded file; yes writes the
    // record in place, no asks for another file and writes a copy of the database there.
    bool saveDateTime(const DateTimeEntry& entry);

    void createSubset();
    void addToSubset();
    void removeFromSubset(int index);
    bool saveSubset();

    // A record window opens or closes; when the last one closes with changes not saved, the user
    // is asked whether to save them.
    void recordWindowOpened() { ++recordWindows_; }
    void recordWindowClosing();

    QString databaseFolder() const;

  Q_SIGNALS:
    void databaseChanged();
    void recordChanged();
    void fieldEdited(const QString& control);
    void recordSaved();
    void subsetChanged();
    // A window the main window should show ("display_personal", "Athletes_db_display_form", ...).
    void windowWanted(const QString& name);
    void closeRecordWindows();

  private:
    // Before another record is loaded: fields that cannot be saved are dropped if the user
    // agrees. False to stay on the record.
    bool dropUnsavable();
    void recordLoaded();
    void transferred();

    WorkstationController& workstation_;
    std::map<std::string, std::string> problems_;  // control -> why its text cannot be saved
    int recordWindows_ = 0;
};

}  // namespace quintaro
