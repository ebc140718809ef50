// SPDX-License-Identifier: AGPL-3.0-or-later
// db: person databases (".apd") — blank databases, list imports, listings, records, search,
// subsets.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_context.h"
#include "database/apd_file.h"
#include "database/csv_line.h"
#include "database/list_import.h"
#include "database/person_listing.h"
#include "database/record_checks.h"
#include "database/record_layout.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

// An existing file is replaced only when the user says so.
bool MayWrite(const std::string& file, bool force, CliContext& context) {
    std::error_code ec;
    if (force || !std::filesystem::exists(file, ec)) return true;
    context.fail(file + " exists; give --force to replace it");
    return false;
}

Json DateJson(double serial) {
    auto date = PresentDate(serial);
    return date ? Json(IsoDateText(*date)) : Json(nullptr);
}

std::string DateText(double serial) {
    auto date = PresentDate(serial);
    return date ? IsoDateText(*date) : "";
}

// Reads a listing and reports what is wrong with the file on stderr: left-over bytes and damaged
// records (which are dropped from the listing). Nothing when the file cannot be read.
std::optional<std::vector<PersonSummary>> SoundListing(const std::string& file, CliContext& context,
                                                       long* total = nullptr) {
    std::string error;
    auto listing = ReadListing(file, error);
    if (!listing) {
        context.fail(error);
        return std::nullopt;
    }
    if (listing->leftoverBytes > 0)
        context.fail(file + ": the last " + std::to_string(listing->leftoverBytes) +
                     " bytes make no whole record of " + std::to_string(RecordSize) +
                     " bytes; the file is damaged");
    if (total) *total = static_cast<long>(listing->people.size());
    std::vector<PersonSummary> sound;
    for (PersonSummary& p : listing->people) {
        if (!p.problems.empty()) {
            context.fail(file + ": record " + std::to_string(p.number) +
                         " is damaged or no person record: " + p.problems.front());
            continue;
        }
        sound.push_back(std::move(p));
    }
    return sound;
}

void RunCreate(const std::string& file, long records, bool force, CliContext& context) {
    if (!MayWrite(file, force, context)) return;
    WriteOutcome outcome = CreateBlankDatabase(file, records, SystemRandomUnit());
    if (!outcome.done()) return context.fail(file + ": " + outcome.error);
    std::cout << "Created " << file << " with " << records << " blank records\n";
}

void RunImport(const std::string& kind, const std::string& list, const std::string& file,
               bool force, CliContext& context) {
    if (!MayWrite(file, force, context)) return;
    ImportOutcome outcome =
        ImportList(*ListKindOf(kind), list, file, context.messages, SystemRandomUnit());
    if (outcome.records > 0)
        std::cout << "Imported " << outcome.records << " records from " << list << " into " << file
                  << "\n";
    if (!outcome.error.empty()) context.exitCode = 1;  // the message went to stderr already
}

void PrintListingText(const std::string& file, long total,
                      const std::vector<PersonSummary>& people) {
    std::cout << file << " - " << total << " records\n";
    for (const PersonSummary& p : people) {
        std::string date = DateText(p.birthDate);
        std::printf("%6ld  %-10s  %s\n", p.number, date.c_str(), p.primaryName.c_str());
    }
}

void PrintListingCsv(const std::vector<PersonSummary>& people) {
    std::cout << "number,name,first_name,last_name,birth_date,member_number,key\n";
    for (const PersonSummary& p : people) {
        std::cout << p.number << ',' << CsvValue(p.primaryName) << ',' << CsvValue(p.firstName)
                  << ',' << CsvValue(p.lastName) << ',' << DateText(p.birthDate) << ','
                  << CsvValue(p.memberNumber) << ',' << CsvValue(p.recordKey) << '\n';
    }
}

void PrintListingJson(const std::string& file, long total,
                      const std::vector<PersonSummary>& people) {
    Json list = Json::array();
    for (const PersonSummary& p : people) {
        list.push_back({{"number", p.number},
                        {"name", p.primaryName},
                        {"first_name", p.firstName},
                        {"last_name", p.lastName},
                        {"birth_date", DateJson(p.birthDate)},
                        {"member_number", p.memberNumber},
                        {"key", p.recordKey}});
    }
    std::cout << Json{{"file", file}, {"records", total}, {"people", list}} << '\n';
}

struct ListOptions {
    std::string file;
    std::string sort = "number";
    bool json = false;
    bool csv = false;
};

void RunList(const ListOptions& o, CliContext& context) {
    long total = 0;
    auto people = SoundListing(o.file, context, &total);
    if (!people) return;
    SortListing(*people, o.sort == "name"   ? ListingOrder::Name
                         : o.sort == "date" ? ListingOrder::BirthDate
                                            : ListingOrder::Number);
    if (o.json) return PrintListingJson(o.file, total, *people);
    if (o.csv) return PrintListingCsv(*people);
    PrintListingText(o.file, total, *people);
}

Json RecordJson(long number, const PersonRecord& r) {
    auto dated = [](const auto& list) {
        Json out = Json::array();
        for (const DatedText& d : list)
            out.push_back({{"text", d.text}, {"date", DateJson(d.date)}});
        return out;
    };
    Json addresses = Json::array();
    for (const Address& a : r.addresses) {
        addresses.push_back({{"address1", a.address1},
                             {"address2", a.address2},
                             {"address3", a.address3},
                             {"city", a.city},
                             {"state", a.state},
                             {"country", a.country},
                             {"zip_code", a.zipCode},
                             {"effective_date", DateJson(a.effectiveDate)}});
    }
    Json historicalDates = Json::array();
    for (const HistoricalDate& h : r.historicalDates)
        historicalDates.push_back({{"date", h.date}, {"comment", h.comment}});
    Json data = Json::array();
    for (const HistoricalDatum& d : r.historicalData)
        data.push_back({{"data", d.data}, {"comment", d.comment}});
    auto birth = PresentDate(r.birthDate);
    bool timeKnown = r.birthHour >= 1 && r.birthHour <= 12 && (r.amPm == "AM" || r.amPm == "PM");
    return {{"number", number},
            {"key", r.recordKey},
            {"primary_name", r.primaryName},
            {"first_name", r.firstName},
            {"middle_name", r.middleName},
            {"last_name", r.lastName},
            {"alternate_names", dated(r.alternateNames)},
            {"member_number", r.memberNumber},
            {"sex", r.sex},
            {"birth_date_for_sorting", r.birthDateForSorting},
            {"birth_date", birth ? Json(IsoDateText(*birth)) : Json(nullptr)},
            {"birth_hour", timeKnown ? Json(r.birthHour) : Json(nullptr)},
            {"birth_minute", timeKnown ? Json(r.birthMinute) : Json(nullptr)},
            {"am_pm", r.amPm},
            {"time_zone", r.timeZone},
            {"birth_place", r.birthPlace},
            {"addresses", addresses},
            {"home_phones", dated(r.homePhones)},
            {"work_phones", dated(r.workPhones)},
            {"cell_phones", dated(r.cellPhones)},
            {"emails", dated(r.emails)},
            {"comments", r.comments},
            {"historical_dates", historicalDates},
            {"historical_data", data}};
}

void PrintRecordText(long number, const PersonRecord& r) {
    auto line = [](const std::string& label, const std::string& value) {
        if (!value.empty()) std::cout << label << ": " << value << '\n';
    };
    std::cout << "Record " << number << '\n';
    line("Key", r.recordKey);
    line("Primary name", r.primaryName);
    line("First name", r.firstName);
    line("Middle name", r.middleName);
    line("Last name", r.lastName);
    for (const DatedText& a : r.alternateNames) line("Alternate name", a.text);
    line("Member number", r.memberNumber);
    line("Sex", r.sex);
    auto birth = PresentDate(r.birthDate);
    line("Birth date", birth ? UsDateText(*birth) : "");
    if (r.birthHour >= 1 && r.birthHour <= 12)
        std::printf("Birth time: %d:%02d %s\n", r.birthHour, r.birthMinute, r.amPm.c_str());
    std::cout << "Time zone: " << r.timeZone << '\n';
    line("Birth place", r.birthPlace);
    for (const DatedText& e : r.emails) line("E-mail", e.text);
    for (const std::string& c : r.comments) line("Comment", c);
    for (const HistoricalDate& h : r.historicalDates)
        if (!h.date.empty() || !h.comment.empty()) line(h.date, h.comment);
    for (const HistoricalDatum& d : r.historicalData)
        if (!d.comment.empty() || !d.data.empty()) std::cout << d.comment << ": " << d.data << '\n';
}

void RunShow(const std::string& file, long number, bool json, CliContext& context) {
    std::string error;
    auto record = LoadRecord(file, number, error);
    if (!record) return context.fail(error);
    auto problems = CheckRecord(*record);
    if (!problems.empty()) {
        const size_t shown = std::min<size_t>(problems.size(), 5);
        for (size_t k = 0; k < shown; ++k)
            context.fail(file + ": record " + std::to_string(number) + ": " + problems[k]);
        std::string more = problems.size() > shown
                               ? " (" + std::to_string(problems.size() - shown) + " more faults)"
                               : "";
        return context.fail(file + ": record " + std::to_string(number) +
                            " is damaged or no person record" + more);
    }
    if (json) {
        std::cout << RecordJson(number, *record) << '\n';
    } else {
        PrintRecordText(number, *record);
    }
}

void RunSearch(const std::string& file, const std::string& term, CliContext& context) {
    auto people = SoundListing(file, context);
    if (!people) return;
    std::vector<long> found = SearchListing(*people, term);
    std::cout << SearchResultText(found.size()) << '\n';
    size_t at = 0;
    for (long number : found) {
        while ((*people)[at].number != number) ++at;
        std::printf("%6ld  %s\n", number, (*people)[at].primaryName.c_str());
    }
}

void RunSubset(const std::string& file, const std::vector<long>& numbers, const std::string& out,
               bool force, CliContext& context) {
    if (!MayWrite(out, force, context)) return;
    std::string error = WriteSubset(file, numbers, out);
    if (!error.empty()) return context.fail(error);
    std::cout << "Wrote " << numbers.size() << " records of " << file << " into " << out << '\n';
}

std::vector<std::string> ListCommands() {
    std::vector<std::string> commands;
    for (ListKind kind : AllListKinds()) commands.emplace_back(ListDefinitionOf(kind).command);
    return commands;
}

}  // namespace

void AddDatabaseCommands(CLI::App& app, CliContext& context) {
    auto* db = app.add_subcommand("db", "Person databases (.apd)");
    db->require_subcommand(1);

    struct CreateOptions {
        std::string file;
        long records = 0;
        bool force = false;
    };
    auto c = std::make_shared<CreateOptions>();
    auto* create = db->add_subcommand("create", "Write a database of blank records");
    create->add_option("file", c->file, "The new .apd file")->required();
    create->add_option("--records", c->records, "How many blank records (1 to 99999)")->required();
    create->add_flag("--force", c->force, "Replace an existing file");
    create->callback([c, &context] { RunCreate(c->file, c->records, c->force, context); });

    struct ImportOptions {
        std::string kind, list, file;
        bool force = false;
    };
    auto i = std::make_shared<ImportOptions>();
    auto* importer = db->add_subcommand("import", "Build a database from a comma-separated list");
    importer->add_option("kind", i->kind, "mlb, nba, nfl, nhl, pitchers or ftd")
        ->required()
        ->check(CLI::IsMember(ListCommands()));
    importer->add_option("list", i->list, "The comma-separated list")->required();
    importer->add_option("file", i->file, "The new .apd file")->required();
    importer->add_flag("--force", i->force, "Replace an existing file");
    importer->callback([i, &context] { RunImport(i->kind, i->list, i->file, i->force, context); });

    auto l = std::make_shared<ListOptions>();
    auto* list = db->add_subcommand("list", "Every record's number, birth date and name");
    list->add_option("file", l->file, "The .apd file")->required();
    list->add_option("--sort", l->sort, "number (default), name or date")
        ->check(CLI::IsMember({"number", "name", "date"}));
    auto* json = list->add_flag("--json", l->json, "JSON output");
    list->add_flag("--csv", l->csv, "Comma-separated output")->excludes(json);
    list->callback([l, &context] { RunList(*l, context); });

    struct ShowOptions {
        std::string file;
        long number = 0;
        bool json = false;
    };
    auto s = std::make_shared<ShowOptions>();
    auto* show = db->add_subcommand("show", "Every field of one record");
    show->add_option("file", s->file, "The .apd file")->required();
    show->add_option("number", s->number, "Record number, from 1")->required();
    show->add_flag("--json", s->json, "JSON output");
    show->callback([s, &context] { RunShow(s->file, s->number, s->json, context); });

    auto term = std::make_shared<std::pair<std::string, std::string>>();
    auto* search = db->add_subcommand("search", "Records whose names hold a term");
    search->add_option("file", term->first, "The .apd file")->required();
    search->add_option("term", term->second, "Text to look for (letter case ignored)")->required();
    search->callback([term, &context] { RunSearch(term->first, term->second, context); });

    struct SubsetOptions {
        std::string file, out;
        std::vector<long> records;
        bool force = false;
    };
    auto u = std::make_shared<SubsetOptions>();
    auto* subset = db->add_subcommand("subset", "Copy chosen records into a new database");
    subset->add_option("file", u->file, "The source .apd file")->required();
    subset->add_option("--records", u->records, "Record numbers, e.g. 3,7,9")
        ->required()
        ->delimiter(',');
    subset->add_option("--out", u->out, "The new .apd file")->required();
    subset->add_flag("--force", u->force, "Replace an existing file");
    subset->callback([u, &context] { RunSubset(u->file, u->records, u->out, u->force, context); });

    AddDatabaseChartCommands(*db, context);
}

}  // namespace quintaro::cli
