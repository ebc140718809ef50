// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/database_controller.h"

#include <QFileInfo>
#include <QInputDialog>
#include <charconv>

#include "database/database_texts.h"
#include "ui/red_progress.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

std::filesystem::path PathOf(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

// The filter of the list dialogs: comma-separated lists, or the same as text files.
QString ListFilter() {
    return ToolkitFilter(std::string(kCsvFilter) + " | " + std::string(kTxtFilter));
}

std::optional<long> BlankCount(const QString& answer) {
    const std::string text = answer.trimmed().toStdString();
    long count = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (count < 1 || count > MaxBlankRecords) return std::nullopt;
    return count;
}

}  // namespace

DatabaseController::DatabaseController(WorkstationController& workstation, QObject* parent)
    : QObject(parent), workstation_(workstation) {
    askText = [this](const QString& title, const QString& label) {
        bool ok = false;
        const QString text =
            QInputDialog::getText(dialogParent, title, label, QLineEdit::Normal, QString(), &ok);
        return ok ? text : QString();
    };
}

const DatabaseView* DatabaseController::view() const {
    const auto& current = workstation_.session().database.current;
    return current ? &*current : nullptr;
}

long DatabaseController::currentNumber() const {
    const DatabaseView* v = view();
    return v ? v->current : 0;
}

QString DatabaseController::databaseFolder() const {
    if (const DatabaseView* v = view()) return Q(v->file.parent_path().string());
    return Q(workstation_.session().workstation.path(kDatabaseFolder).string());
}

bool DatabaseController::openDatabase() {
    FileDialogs& dialogs = workstation_.dialogs();
    if (!dialogs.open) return false;
    const QString chosen = dialogs.open({Q(kLoadApdTitle), ToolkitFilter(kApdFilter),
                                         QStringLiteral("apd"), databaseFolder(), QString()});
    if (chosen.isEmpty()) return false;
    return open(PathOf(chosen));
}

bool DatabaseController::open(const std::filesystem::path& file) {
    if (!dropUnsavable()) return false;
    if (!OpenCurrentDatabase(session(), file)) return false;
    problems_.clear();
    Q_EMIT databaseChanged();
    Q_EMIT subsetChanged();
    recordLoaded();
    return true;
}

bool DatabaseController::importList(ListKind kind) {
    FileDialogs& dialogs = workstation_.dialogs();
    if (!dialogs.open || !dialogs.save) return false;
    const QString list = dialogs.open(
        {Q(kLoadCsvTitle), ListFilter(), QStringLiteral("csv"), databaseFolder(), QString()});
    if (list.isEmpty()) return false;
    const std::filesystem::path folder = session().workstation.path(kDatabaseFolder);
    const std::filesystem::path proposed =
        SuggestedDatabaseName(folder, PathOf(list).stem().string());
    const QString database =
        dialogs.save({Q(kSaveApdTitle), ToolkitFilter(kApdFilter), QStringLiteral("apd"),
                      Q(folder.string()), Q(proposed.filename().string())});
    if (database.isEmpty() || !dropUnsavable()) return false;
    const ListDefinition& definition = ListDefinitionOf(kind);
    ProgressWindow progress(
        QStringLiteral("Creating ") + Q(definition.title) + QStringLiteral(" database"),
        dialogParent);
    const ImportOutcome outcome =
        ImportListAsCurrent(session(), kind, PathOf(list), PathOf(database), progress.progress());
    progress.close();
    if (outcome.records == 0) return false;
    problems_.clear();
    Q_EMIT databaseChanged();
    Q_EMIT subsetChanged();
    recordLoaded();
    Q_EMIT windowWanted(kind == ListKind::FirstTradeDates
                            ? QStringLiteral("FTD_db_display_form")
                            : QStringLiteral("Athletes_db_display_form"));
    return true;
}

bool DatabaseController::createBlankDatabase() {
    std::optional<long> count;
    while (!count) {
        const QString answer = askText(Q(kBlankCountTitle), Q(kBlankCountQuestion));
        if (answer.isNull()) return false;
        count = BlankCount(answer);
    }
    FileDialogs& dialogs = workstation_.dialogs();
    if (!dialogs.save) return false;
    const std::filesystem::path folder = session().workstation.path(kDatabaseFolder);
    const QString database = dialogs.save(
        {Q(kSaveApdTitle), ToolkitFilter(kApdFilter), QStringLiteral("apd"), Q(folder.string()),
         Q(SuggestedDatabaseName(folder, "blank").filename().string())});
    if (database.isEmpty() || !dropUnsavable()) return false;
    ProgressWindow progress(QStringLiteral("Creating blank records"), dialogParent);
    const WriteOutcome outcome =
        CreateBlankAsCurrent(session(), PathOf(database), *count, progress.progress());
    progress.close();
    if (!outcome.done()) return false;
    problems_.clear();
    Q_EMIT databaseChanged();
    Q_EMIT subsetChanged();
    recordLoaded();
    Q_EMIT windowWanted(QStringLiteral("display_personal"));
    return true;
}

bool DatabaseController::dropUnsavable() {
    if (problems_.empty()) return true;
    const std::string text = "Record " + std::to_string(currentNumber()) +
                             " has changes that cannot be saved (" + problems_.begin()->second +
                             "). Drop all its changes and go on?";
    if (!session().workstation.messages.ask(std::string(kUnsavedTitle), text)) return false;
    problems_.clear();
    state().modified = false;
    return true;
}

void DatabaseController::recordLoaded() {
    problems_.clear();
    Q_EMIT recordChanged();
}

bool DatabaseController::goTo(long number) {
    if (!view() || !dropUnsavable()) return false;
    if (!GoToCurrentRecord(session(), number)) return false;
    recordLoaded();
    return true;
}

bool DatabaseController::step(int direction) {
    const DatabaseView* v = view();
    if (!v) return false;
    auto next = NeighbourRecord(*v, direction);
    return next && goTo(*next);
}

bool DatabaseController::setAlphabetical(bool on) {
    return SetCurrentAlphabetical(session(), on);
}

std::string DatabaseController::editField(const FormField& field, const QString& text) {
    auto& current = state().current;
    if (!current || current->current == 0) return "no record is loaded";
    std::string why = field.write(current->record, text.toStdString());
    if (why.empty()) {
        problems_.erase(field.control);
        MarkCurrentModified(session());
        Q_EMIT fieldEdited(Q(field.control));
    } else {
        problems_[field.control] = field.name + ": " + why;
        state().modified = true;
    }
    return why;
}

bool DatabaseController::save() {
    if (!problems_.empty()) {
        session().workstation.messages.show("Warning!",
                                            "Record " + std::to_string(currentNumber()) +
                                                " was not saved: " + problems_.begin()->second,
                                            MessageIcon::Exclamation);
        return false;
    }
    if (!SaveCurrentDatabaseRecord(session())) return false;
    Q_EMIT recordSaved();
    return true;
}

void DatabaseController::transferred() {
    Q_EMIT workstation_.entryChanged();
    workstation_.recalc();
}

bool DatabaseController::transferBirthDate() {
    if (!TransferCurrentBirthDate(session())) return false;
    transferred();
    return true;
}

bool DatabaseController::transferBirthData() {
    if (!TransferCurrentBirthData(session())) return false;
    transferred();
    return true;
}

bool DatabaseController::saveDateTime(const DateTimeEntry& entry) {
    auto& current = state().current;
    if (!current || current->current == 0) return false;
    Messages& messages = session().workstation.messages;
    PersonRecord edited = current->record;
    if (std::string why = ApplyDateTimeEntry(entry, edited); !why.empty()) {
        messages.show("Warning!",
                      "Record " + std::to_string(current->current) + " was not saved: " + why,
                      MessageIcon::Exclamation);
        return false;
    }
    if (messages.ask(std::string(kOverwriteTitle), std::string(kOverwriteQuestion))) {
        if (!problems_.empty()) return save();  // says why it cannot
        current->record = edited;
        const bool saved = SaveCurrentDatabaseRecord(session());
        Q_EMIT recordChanged();
        if (saved) Q_EMIT recordSaved();
        return saved;
    }
    FileDialogs& dialogs = workstation_.dialogs();
    if (!dialogs.save) return false;
    const std::filesystem::path folder = current->file.parent_path();
    const QString target = dialogs.save(
        {Q(kSaveApdTitle), ToolkitFilter(kApdFilter), QStringLiteral("apd"), Q(folder.string()),
         Q(SuggestedDatabaseName(folder, current->file.stem().string()).filename().string())});
    if (target.isEmpty()) return false;
    return SaveRecordIntoCopy(session(), edited, PathOf(target));
}

void DatabaseController::createSubset() {
    StartSubset(session());
    AddCurrentToSubset(session());
    Q_EMIT subsetChanged();
    Q_EMIT windowWanted(QStringLiteral("DatabaseSubsetCreation"));
}

void DatabaseController::addToSubset() {
    if (AddCurrentToSubset(session())) Q_EMIT subsetChanged();
}

void DatabaseController::removeFromSubset(int index) {
    if (index < 0) return;
    RemoveFromSubset(session(), static_cast<size_t>(index));
    Q_EMIT subsetChanged();
}

bool DatabaseController::saveSubset() {
    FileDialogs& dialogs = workstation_.dialogs();
    if (!dialogs.save || state().subset.empty()) return false;
    const std::filesystem::path proposed = SuggestedSubsetName(session());
    const QString target =
        dialogs.save({Q(kSaveSubsetTitle), ToolkitFilter(kApdSubsetFilter), QStringLiteral("apd"),
                      Q(proposed.parent_path().string()), Q(proposed.filename().string())});
    if (target.isEmpty()) return false;
    return SaveSubset(session(), PathOf(target));
}

void DatabaseController::recordWindowClosing() {
    if (recordWindows_ > 0) --recordWindows_;
    if (recordWindows_ > 0 || !state().modified || !view()) return;
    // The last window that shows the record goes: its changes are saved or dropped now.
    const long number = currentNumber();
    const bool keep = session().workstation.messages.ask(
        std::string(kUnsavedTitle),
        "Record " + std::to_string(number) + " has changes that are not saved. Save them now?");
    if (keep && save()) return;
    problems_.clear();
    state().modified = false;
    std::string error;
    GoToRecord(*state().current, number, error);  // the record as the file holds it
}

}  // namespace quintaro
