// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/database_session.h"

#include <algorithm>

#include "app/session.h"
#include "database/database_texts.h"

namespace quintaro {

namespace {

void Warn(Session& session, const std::string& text) {
    session.workstation.messages.show("Warning!", text, MessageIcon::Exclamation);
}

DatabaseView* Current(Session& session) {
    auto& current = session.database.current;
    return current ? &*current : nullptr;
}

// The current record, or nothing (with a message) when no record is loaded.
DatabaseView* CurrentRecordView(Session& session) {
    DatabaseView* view = Current(session);
    if (!view || view->current == 0) {
        Warn(session, "No database record is loaded.");
        return nullptr;
    }
    return view;
}

// Before the record in memory is replaced: unsaved changes are saved or dropped as the user says.
// False when they should have been saved and could not be.
bool SettleChanges(Session& session) {
    DatabaseSession& db = session.database;
    if (!db.modified || !db.current || db.current->current == 0) return true;
    const bool save = session.workstation.messages.ask(
        std::string(kUnsavedTitle), "Record " + std::to_string(db.current->current) + " of " +
                                        db.current->file.string() +
                                        " has changes that are not saved. Save them now?");
    if (save) return SaveCurrentDatabaseRecord(session);
    db.modified = false;
    return true;
}

}  // namespace

bool OpenCurrentDatabase(Session& session, const std::filesystem::path& file) {
    if (!SettleChanges(session)) return false;
    std::string error;
    auto view = OpenDatabase(file, error);
    if (!view) {
        Warn(session, "The database cannot be opened. " + error);
        return false;
    }
    DatabaseSession& db = session.database;
    db.current = std::move(*view);
    db.modified = false;
    db.subset.clear();
    db.failedSearches = 0;
    if (db.current->leftoverBytes > 0)
        Warn(session, file.string() + ": the last " + std::to_string(db.current->leftoverBytes) +
                          " bytes make no whole record of " + std::to_string(RecordSize) +
                          " bytes; they are left as they are.");
    return true;
}

bool GoToCurrentRecord(Session& session, long number) {
    DatabaseView* view = Current(session);
    if (!view) return false;
    if (number == view->current) return true;
    if (!SettleChanges(session)) return false;
    std::string error;
    if (GoToRecord(*view, number, error)) return true;
    Warn(session, error);
    return false;
}

bool StepCurrentRecord(Session& session, int direction) {
    DatabaseView* view = Current(session);
    if (!view) return false;
    auto next = NeighbourRecord(*view, direction);
    return next && GoToCurrentRecord(session, *next);
}

bool SetCurrentAlphabetical(Session& session, bool on) {
    DatabaseView* view = Current(session);
    if (!view) return false;
    std::string error;
    if (SetAlphabetical(*view, on, error)) return true;
    Warn(session, error);
    return false;
}

void MarkCurrentModified(Session& session) {
    if (session.database.current && session.database.current->current != 0)
        session.database.modified = true;
}

bool SaveCurrentDatabaseRecord(Session& session) {
    DatabaseView* view = CurrentRecordView(session);
    if (!view) return false;
    if (std::string error = SaveCurrentRecord(*view); !error.empty()) {
        Warn(session, "Record " + std::to_string(view->current) + " was not saved: " + error);
        return false;
    }
    session.database.modified = false;
    return true;
}

bool SaveRecordIntoCopy(Session& session, const PersonRecord& record,
                        const std::filesystem::path& target) {
    DatabaseView* view = CurrentRecordView(session);
    if (!view) return false;
    if (std::string error = WriteCopyWithRecord(view->file, view->current, record, target);
        !error.empty()) {
        Warn(session, "The database copy " + target.string() + " was not written: " + error);
        return false;
    }
    return true;
}

bool TransferCurrentBirthDate(Session& session) {
    DatabaseView* view = CurrentRecordView(session);
    if (!view) return false;
    if (TransferBirthDate(BirthDataOf(view->record), session.workstation.entry.natal)) return true;
    Warn(session, "Record " + std::to_string(view->current) + " holds no birth date to transfer.");
    return false;
}

bool TransferCurrentBirthData(Session& session) {
    DatabaseView* view = CurrentRecordView(session);
    if (!view) return false;
    if (ApplyBirthData(BirthDataOf(view->record), session.workstation.entry.natal)) return true;
    Warn(session, "Record " + std::to_string(view->current) + " holds no birth date to transfer.");
    return false;
}

std::optional<BirthMoment> ChartRecord(Session& session, const PersonRecord& record,
                                       std::string& error) {
    Workstation& ws = session.workstation;
    const BirthData birth = BirthDataOf(record);
    auto moment = BirthMomentOf(birth, ws.homeLocation.zone);
    if (!moment) {
        error = "the record holds no birth date";
        return std::nullopt;
    }
    EntrySection& natal = ws.entry.natal;
    FillNatalNow(ws.entry, ws.clock, ws.homeLocation);  // the home place and zone
    ApplyBirthData(birth, natal);
    if (moment->noonAssumed) {
        natal.hour = "12";
        natal.minute = "0";
        natal.pm = true;
    }
    if (!ComputeCharts(session) || !ws.chartsComputed) {
        error = "the birth moment lies outside the ephemeris";
        return std::nullopt;
    }
    return moment;
}

ImportOutcome ImportListAsCurrent(Session& session, ListKind kind,
                                  const std::filesystem::path& list,
                                  const std::filesystem::path& database, const Progress& progress) {
    if (!SettleChanges(session)) return {};
    ImportOutcome outcome = ImportList(kind, list, database, session.workstation.messages,
                                       SystemRandomUnit(), progress);
    if (outcome.records > 0) OpenCurrentDatabase(session, database);
    return outcome;
}

WriteOutcome CreateBlankAsCurrent(Session& session, const std::filesystem::path& database,
                                  long count, const Progress& progress) {
    if (!SettleChanges(session)) return {"changes of the current record are not saved"};
    WriteOutcome outcome = CreateBlankDatabase(database, count, SystemRandomUnit(), progress);
    if (!outcome.error.empty())
        Warn(session, "The database " + database.string() + " was not written: " + outcome.error);
    if (outcome.done()) OpenCurrentDatabase(session, database);
    return outcome;
}

void StartSubset(Session& session) {
    session.database.subset.clear();
}

bool AddCurrentToSubset(Session& session) {
    DatabaseView* view = CurrentRecordView(session);
    if (!view) return false;
    std::vector<long>& subset = session.database.subset;
    if (std::find(subset.begin(), subset.end(), view->current) != subset.end()) return false;
    subset.push_back(view->current);
    return true;
}

void RemoveFromSubset(Session& session, size_t index) {
    std::vector<long>& subset = session.database.subset;
    if (index < subset.size()) subset.erase(subset.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string SubsetCaption(const Session& session) {
    return "Database Subset Creation - Records = " + std::to_string(session.database.subset.size());
}

std::filesystem::path SuggestedSubsetName(const Session& session) {
    const auto& current = session.database.current;
    if (!current) return "subset.apd";
    return current->file.parent_path() / (current->file.stem().string() + "_subset.apd");
}

bool SaveSubset(Session& session, const std::filesystem::path& target) {
    DatabaseView* view = Current(session);
    if (!view) return false;
    if (std::string error = WriteSubset(view->file, session.database.subset, target);
        !error.empty()) {
        Warn(session, "The subset was not written: " + error);
        return false;
    }
    return true;
}

std::optional<SearchOutcome> SearchCurrentDatabase(Session& session, std::string_view term) {
    DatabaseView* view = Current(session);
    if (!view) {
        Warn(session, "Open a database to search first.");
        return std::nullopt;
    }
    std::string error;
    auto listing = ReadListing(view->file, error);
    if (!listing) {
        Warn(session, error);
        return std::nullopt;
    }
    SearchOutcome outcome;
    const std::vector<long> numbers = SearchListing(listing->people, term);
    for (long n : numbers) outcome.found.push_back(listing->people[static_cast<size_t>(n - 1)]);
    int& failed = session.database.failedSearches;
    if (!numbers.empty()) {
        failed = 0;
        outcome.reply = SearchResultText(numbers.size());
    } else {
        outcome.reply = failed > 0 ? std::string(kNoItemsTryAgain) : SearchResultText(0);
        ++failed;
    }
    return outcome;
}

}  // namespace quintaro
