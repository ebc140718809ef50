// SPDX-License-Identifier: AGPL-3.0-or-later
// aspectarian: the day-by-day events of chosen bodies over a date range, as ".att" text, a
// spreadsheet table or JSON; aspectarian merge: ".att" files joined into one.
//
// Exit status: 0 for a complete run; 1 for bad input or a file that cannot be read or written;
// 2 when a moment outside the ephemeris ended the run; 130 when Ctrl+C stopped it. A run that
// ended early prints what it found (with each pass's header naming the days it finished) and
// writes nothing to --out.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "app/aspectarian_run.h"
#include "aspects/aspect_catalogue.h"
#include "aspects/aspectarian_csv.h"
#include "aspects/aspectarian_files.h"
#include "aspects/aspectarian_options.h"
#include "cli/cli_context.h"
#include "cli/workstation_run.h"
#include "core/signs.h"

namespace quintaro::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kExitOutsideEphemeris = 2;
constexpr int kExitStopped = 130;

struct RunOptions {
    std::string from, to, transit, natal, optFile, pairing, aspects, events;
    std::string pass = "both", zone = "0", out;
    bool csv = false, json = false;
    std::map<std::string, CLI::Option*> given;  // the options a run cannot do without
};

struct MergeOptions {
    std::vector<std::string> files;
    std::string out;
};

// Ctrl+C asks the run to stop before its next day; the partial result is printed.
volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

class InterruptStops {
  public:
    InterruptStops() : previous_(std::signal(SIGINT, OnInterrupt)) { interrupted = 0; }
    ~InterruptStops() { std::signal(SIGINT, previous_); }
    InterruptStops(const InterruptStops&) = delete;
    InterruptStops& operator=(const InterruptStops&) = delete;

  private:
    void (*previous_)(int);
};

// The progress line on a terminal: rewritten in place, at most every tenth of a second, and wiped
// when the run is over or a message is to be printed. It is also the run's message sink, so that
// a message never lands behind the progress text.
class TerminalProgress final : public Messages {
  public:
    explicit TerminalProgress(Messages& messages)
        : messages_(messages), shown_(isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() override { wipe(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    bool operator()(std::string_view text, long done, long total) {
        const auto now = std::chrono::steady_clock::now();
        if (shown_ && (width_ == 0 || now - last_ >= std::chrono::milliseconds(100))) {
            std::string line = std::string(text);
            if (total > 0) line += "  (" + std::to_string(100 * done / total) + "%)";
            width_ = std::max(width_, line.size());
            line.resize(width_, ' ');
            std::cerr << '\r' << line << std::flush;
            last_ = now;
        }
        return interrupted == 0;
    }
    void show(const std::string& title, const std::string& text, MessageIcon icon) override {
        wipe();
        messages_.show(title, text, icon);
    }
    bool ask(const std::string& title, const std::string& text) override {
        wipe();
        return messages_.ask(title, text);
    }

  private:
    void wipe() {
        if (width_ > 0) std::cerr << '\r' << std::string(width_, ' ') << '\r' << std::flush;
        width_ = 0;
    }

    Messages& messages_;
    bool shown_;
    size_t width_ = 0;  // of the line on the terminal; 0 when none is shown
    std::chrono::steady_clock::time_point last_;
};

// An empty list chooses nothing; the run's checks then say what is missing.
bool Blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// Reads option values; the first that is wrong is kept as the error.
struct ValueReader {
    std::string error;

    template <typename T, typename U>
    void read(OptionValue<T> parsed, U& into) {
        if (parsed.value)
            into = std::move(*parsed.value);
        else if (error.empty())
            error = parsed.error;
    }
};

std::optional<AspectarianInput> InputOf(const RunOptions& o, const BodyCatalogue& catalogue,
                                        CliContext& context) {
    AspectarianInput input;
    ValueReader r;
    r.read(ParseDateOption(o.from), input.from);
    r.read(ParseDateOption(o.to), input.to);
    r.read(ParsePairingOption(o.pairing), input.pairing);
    if (!Blank(o.aspects)) r.read(ParseAspectOption(o.aspects), input.aspects);
    if (!Blank(o.events)) r.read(ParseEventOption(o.events), input.events);
    r.read(ParsePassOption(o.pass), input.passes);
    r.read(ParseZoneOption(o.zone), input.zone);
    if (!Blank(o.transit)) r.read(ParseBodyOption(o.transit, catalogue), input.transitBodies);
    if (!Blank(o.natal)) r.read(ParseBodyOption(o.natal, catalogue), input.natalBodies);
    if (r.error.empty()) return input;
    context.fail(r.error);
    return std::nullopt;
}

const char* KindName(AspectarianEventKind kind) {
    switch (kind) {
        case AspectarianEventKind::LongitudeAspect:
            return "long";
        case AspectarianEventKind::SecondAspect:
            return "decl";
        case AspectarianEventKind::SignChange:
            return "sign";
        case AspectarianEventKind::DirectionChange:
            return "direction";
        case AspectarianEventKind::SideChange:
            break;
    }
    return "side";
}

std::string KeyOf(const AspectarianEvent& e) {
    switch (e.kind) {
        case AspectarianEventKind::SignChange:
            return std::string(SignAbbrev(e.sign));
        case AspectarianEventKind::DirectionChange:
            return e.retrograde ? "rx" : "dir";
        default:
            break;
    }
    return e.key >= FirstKey && e.key <= LastKey
               ? std::string(AspectarianKeys[static_cast<size_t>(e.key)])
               : std::string();
}

Json EventJson(const AspectarianEvent& e, const AttLine& line, const BodyCatalogue& catalogue) {
    Json event = {{"jd", e.jd},
                  {"date", IsoDate(line.stamp.date)},
                  {"time", StampTime(line.stamp)},
                  {"kind", KindName(e.kind)},
                  {"body1", catalogue.BodyNames[e.body1]}};
    if (e.body2 != 0) event["body2"] = catalogue.BodyNames[e.body2];
    event["key"] = KeyOf(e);
    if (e.kind == AspectarianEventKind::SideChange)
        event["toward"] = e.key == KeyParallel ? "north" : "south";
    event["text"] = line.eventText;
    return event;
}

const char* OutcomeName(AspectarianOutcome outcome) {
    switch (outcome) {
        case AspectarianOutcome::Complete:
            return "complete";
        case AspectarianOutcome::Stopped:
            return "stopped";
        case AspectarianOutcome::OutOfRange:
            return "outside the ephemeris";
        case AspectarianOutcome::Invalid:
            break;
    }
    return "invalid";
}

// The passes of a run that searched at least one day, as their files.
struct PassFiles {
    std::vector<Frame> frames;
    std::vector<AttFile> files;
};

PassFiles FilesOf(const AspectarianResult& result, const AspectarianJob& job) {
    PassFiles out;
    for (Frame frame : {Frame::Geocentric, Frame::Heliocentric}) {
        if (result.pass(frame).daysDone == 0) continue;
        out.frames.push_back(frame);
        out.files.push_back(AttFileOfPass(result, frame, job.input, job.catalogue));
    }
    return out;
}

// One file of every pass: the pass's own, or the two joined with their run markers.
std::optional<AttFile> OneFile(const PassFiles& passes) {
    if (passes.files.size() == 1) return passes.files.front();
    return MergeAttFiles(passes.files).file;
}

void PrintJson(const AspectarianResult& result, const AspectarianJob& job,
               const PassFiles& passes) {
    Json out = {{"from", IsoDate(result.from)},
                {"to", IsoDate(result.to)},
                {"days", result.days},
                {"zone", job.input.zone},
                {"times_in", ZoneText(job.input.zone)},
                {"pairing", job.input.pairing == AspectarianPairing::TransitTransit ? "tt" : "tn"},
                {"outcome", OutcomeName(result.outcome)},
                {"complete", result.outcome == AspectarianOutcome::Complete},
                {"summary", RunSummary(job.input, job.catalogue)}};
    Json list = Json::array();
    for (size_t k = 0; k < passes.files.size(); ++k) {
        const AspectarianPassResult& pass = result.pass(passes.frames[k]);
        const AttFile& file = passes.files[k];
        Json events = Json::array();
        for (size_t n = 0; n < pass.events.size(); ++n)
            events.push_back(EventJson(pass.events[n], file.lines[n], job.catalogue));
        list.push_back({{"pass", passes.frames[k] == Frame::Geocentric ? "geo" : "helio"},
                        {"header", HeaderLine(file.header)},
                        {"days_done", pass.daysDone},
                        {"events", std::move(events)}});
    }
    out["passes"] = std::move(list);
    std::cout << out.dump(2) << '\n';
}

void PrintResult(const RunOptions& o, const AspectarianResult& result, const AspectarianJob& job,
                 const PassFiles& passes) {
    if (o.json) return PrintJson(result, job, passes);
    if (o.csv) {
        if (auto file = OneFile(passes)) std::cout << AttCsv(*file);
        return;
    }
    for (size_t k = 0; k < passes.files.size(); ++k)
        std::cout << (k > 0 ? "\n" : "") << AttFileText(passes.files[k]);
}

int ExitStatusOf(AspectarianOutcome outcome) {
    switch (outcome) {
        case AspectarianOutcome::Complete:
            return 0;
        case AspectarianOutcome::Stopped:
            return kExitStopped;
        case AspectarianOutcome::OutOfRange:
            return kExitOutsideEphemeris;
        case AspectarianOutcome::Invalid:
            break;
    }
    return 1;
}

void RunCommand(const RunOptions& o, CliContext& context) {
    for (const auto& [name, option] : o.given)
        if (option->count() == 0) return context.fail("missing " + name + " (see --help)");
    InterruptStops interrupts;
    auto session = OpenSession(context);
    if (!session) return;
    if (!o.optFile.empty() && !LoadOptFile(*session, o.optFile, context)) return;
    auto input = InputOf(o, session->workstation.catalogue, context);
    if (!input) return;
    AspectarianJob job = PrepareAspectarianJob(*session, std::move(*input));
    AspectarianResult result;
    {
        TerminalProgress progress(context.messages);
        result = RunAspectarianJob(job, progress, std::ref(progress));
    }
    context.exitCode = ExitStatusOf(result.outcome);
    if (result.outcome != AspectarianOutcome::Invalid) {
        const PassFiles passes = FilesOf(result, job);
        PrintResult(o, result, job, passes);
        if (!o.out.empty()) {
            if (result.outcome != AspectarianOutcome::Complete) {
                std::cerr << "error: nothing written to " << o.out << ": the run is incomplete\n";
            } else if (auto problem = SaveAttFile(o.out, *OneFile(passes))) {
                context.fail(problem->text);
            }
        }
    }
    const int status = context.exitCode;
    CloseSession(*session, context);
    if (context.exitCode == 0) context.exitCode = status;
}

void MergeCommand(const MergeOptions& o, CliContext& context) {
    std::vector<std::filesystem::path> sources(o.files.begin(), o.files.end());
    const MergeWritten written = MergeAttFilesOnDisk(sources, o.out);
    if (written.problem) return context.fail(written.problem->title + ": " + written.problem->text);
    std::cout << "Merged " << sources.size() << " files into " << written.written.string() << '\n';
}

}  // namespace

void AddAspectarianCommands(CLI::App& app, CliContext& context) {
    auto o = std::make_shared<RunOptions>();
    auto* run = app.add_subcommand(
        "aspectarian", "Day-by-day events of chosen bodies over a date range (see also: merge)");
    run->require_subcommand(0, 1);
    auto given = [&](const char* name, std::string& value, const char* help) {
        o->given[name] = run->add_option(name, value, help);
    };
    given("--from", o->from, "First day, YYYY-MM-DD");
    given("--to", o->to, "Last day, YYYY-MM-DD");
    given("--transit", o->transit, "Transit bodies, comma-separated (sun,moon,mercu,...)");
    given("--pairing", o->pairing, "tt (transits to transits) or tn (transits to natal)");
    given("--aspects", o->aspects,
          "major, clashes, linkages, all or keys (000,090,par,...), comma-separated");
    given("--events", o->events, "long, decl, sign, direction, side or all, comma-separated");
    run->add_option("--natal", o->natal, "Natal bodies of a tn run, comma-separated");
    run->add_option("--opt", o->optFile, "Chart data file (.opt) with the natal chart");
    run->add_option("--pass", o->pass, "geo, helio or both (default both)");
    run->add_option("--zone", o->zone,
                    "Time zone of the days and times, hours west of Greenwich (default 0, UT)");
    run->add_option("--out", o->out,
                    "Write the aspectarian file (.att; both passes joined) when the run completes");
    auto* csv = run->add_flag("--csv", o->csv, "Print the spreadsheet table instead of the lines");
    run->add_flag("--json", o->json, "Print JSON instead of the lines")->excludes(csv);
    run->callback([o, run, &context] {
        if (run->get_subcommands().empty()) RunCommand(*o, context);
    });

    auto m = std::make_shared<MergeOptions>();
    auto* merge = run->add_subcommand(
        "merge", "Join .att files into one whose name ends in \"combined.att\"");
    merge->add_option("FILE", m->files, "Aspectarian files (.att)")->required();
    merge->add_option("--out", m->out, "The combined file")->required();
    merge->callback([m, &context] { MergeCommand(*m, context); });
}

}  // namespace quintaro::cli
