// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/session.h"
#include "aspects/aspectarian_engine.h"

namespace quintaro {

// The aspectarian on top of the session: the window's form and the input it gives, and a run
// that takes its natal points from the session's natal chart and reads positions through a reader
// of its own, so that it can go on while the session goes on computing charts.

// The aspectarian window's fields as typed and its choices.
struct AspectarianForm {
    EntrySection start;  // month, day and year of the start date
    EntrySection end;    // of the end date
    std::string zone;    // hours, west of Greenwich positive
    std::vector<int> transitBodies;
    std::vector<int> natalBodies;
    AspectarianPairing pairing = AspectarianPairing::TransitTransit;
    AspectarianAspects aspects = PresetAspects(AspectarianPreset::Major);
    AspectarianEventKinds events{true, true, true, true, true};
};

// The form as the window opens: from the transit section's date over 30 days, in its zone, with
// the selected transit and natal bodies.
AspectarianForm OpenAspectarianForm(const Workstation& workstation);

// The bodies the window's lists offer, in slot order: every body of the catalogue in use. The
// transit list leaves out the ascendant, midheaven and part of fortune (vertex), which a run never
// samples; the natal list keeps them.
std::vector<int> TransitListBodies(const BodyCatalogue& catalogue);
std::vector<int> NatalListBodies(const BodyCatalogue& catalogue);

// The run's input from the form (both passes), or the message saying what is wrong: the checks of
// "Generate Aspectarian" in their order, with the zone's check among them.
struct FormInput {
    std::optional<AspectarianInput> input;
    AspectarianMessage problem;
};
FormInput AspectarianInputOf(const AspectarianForm& form);

// Positions for one run, sharing nothing with the session: the planetary files opened again into
// an ephemeris of its own, the day tables of the run's free bodies copied from the session (or read
// from their files when the session has not loaded them), and the session's position settings
// (1750 tables, sidereal zodiac). Made on the session's thread; opened and read on the run's.
class AspectarianReader {
  public:
    AspectarianReader(const Session& session, const std::vector<int>& slots);
    AspectarianReader(const AspectarianReader&) = delete;
    AspectarianReader& operator=(const AspectarianReader&) = delete;

    // Opens the files and reads the missing tables; the message when one cannot be read.
    std::optional<AspectarianMessage> open();
    BodyPoint at(double jd, int slot, Frame frame) {
        return positions_.PositionAt(jd, slot, frame);
    }

  private:
    std::filesystem::path home_;
    std::vector<std::pair<int, std::string>> tablesToRead_;  // slot and body name
    SilentMessages silent_;
    Ephemeris ephemeris_;
    DayTables tables_;
    Positions positions_;
};

// What a run needs, taken from the session on its thread: the input, the body names, the natal
// chart's moment and angles (slots 18..20, geocentric longitude and declination), and the reader.
struct AspectarianJob {
    AspectarianInput input;
    BodyCatalogue catalogue;
    double natalJD = 0;
    std::array<BodyPoint, 3> natalAngles{};
    std::unique_ptr<AspectarianReader> reader;
};
AspectarianJob PrepareAspectarianJob(const Session& session, AspectarianInput input);

// Runs a job on any thread: checks the input, opens the reader, takes the natal points of a
// transit-to-natal run (a natal body without a position at the natal moment is refused with a
// message: it would otherwise be taken at 0°), then RunAspectarian. Messages and progress as
// RunAspectarian gives them; a problem before the run is an Invalid outcome.
AspectarianResult RunAspectarianJob(AspectarianJob& job, Messages& messages,
                                    const Progress& progress = {});

// Messages kept to be shown later: a run on another thread tells the user through these, and the
// window shows them when the run is over.
class HeldMessages final : public Messages {
  public:
    struct Held {
        std::string title, text;
        MessageIcon icon;
    };
    void show(const std::string& title, const std::string& text, MessageIcon icon) override {
        held_.push_back({title, text, icon});
    }
    bool ask(const std::string&, const std::string&) override { return false; }
    // Shows every held message through `messages`, in order, and forgets them.
    void showThrough(Messages& messages);

  private:
    std::vector<Held> held_;
};

}  // namespace quintaro
