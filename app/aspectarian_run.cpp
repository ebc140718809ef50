// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/aspectarian_run.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "aspects/aspectarian_options.h"
#include "core/ephemeris_loader.h"

namespace quintaro {

namespace {

int Number(const std::string& text) {
    return text.empty() ? 0 : std::atoi(text.c_str());
}

CivilDate DateOf(const EntrySection& section) {
    return {Number(section.year), Number(section.month), Number(section.day)};
}

void PutDate(const CivilDate& date, EntrySection& section) {
    section.month = std::to_string(date.month);
    section.day = std::to_string(date.day);
    section.year = std::to_string(date.year);
}

bool InUse(const BodyCatalogue& catalogue, int slot) {
    return catalogue.BodyNames[slot] != "unused";
}

std::vector<Frame> FramesOf(AspectarianPasses passes) {
    if (passes == AspectarianPasses::Geocentric) return {Frame::Geocentric};
    if (passes == AspectarianPasses::Heliocentric) return {Frame::Heliocentric};
    return {Frame::Geocentric, Frame::Heliocentric};
}

// The natal values of the bodies a transit-to-natal run holds fixed, in the frames it runs.
std::optional<AspectarianMessage> TakeNatalPoints(AspectarianJob& job) {
    AspectarianInput& input = job.input;
    if (input.pairing != AspectarianPairing::TransitNatal) return std::nullopt;
    for (Frame frame : FramesOf(input.passes)) {
        const bool geo = frame == Frame::Geocentric;
        for (int slot : FixedNatalBodies(input.natalBodies, frame)) {
            const bool angle = slot >= SlotAscendant && slot <= SlotPartOfFortune;
            const BodyPoint point = angle
                                        ? job.natalAngles[static_cast<size_t>(slot - SlotAscendant)]
                                        : job.reader->at(job.natalJD, slot, frame);
            if (!point.valid)
                return AspectarianMessage{
                    "Natal position not available",
                    std::string("The natal chart has no ") + (geo ? "geocentric" : "heliocentric") +
                        " position of " + job.catalogue.BodyNames[slot] +
                        " at its moment (outside the ephemeris or its tables) - please choose "
                        "other natal planets."};
            (geo ? input.natal.GeoLong : input.natal.HelioLong)[slot] = point.longitude;
            (geo ? input.natal.GeoDecl : input.natal.HelioLat)[slot] = point.second;
        }
    }
    return std::nullopt;
}

}  // namespace

AspectarianForm OpenAspectarianForm(const Workstation& ws) {
    AspectarianForm form;
    const EntrySection& transit = ws.entry.transit;
    form.start.month = transit.month;
    form.start.day = transit.day;
    form.start.year = transit.year;
    form.end = form.start;
    const CivilDate start = DateOf(form.start);
    if (IsValidDate(start)) PutDate(DaysAfter(start, 30), form.end);
    form.zone = transit.zone;
    for (int slot : TransitListBodies(ws.catalogue))
        if (ws.flags().transit(slot)) form.transitBodies.push_back(slot);
    for (int slot : NatalListBodies(ws.catalogue))
        if (ws.flags().natal(slot)) form.natalBodies.push_back(slot);
    return form;
}

std::vector<int> TransitListBodies(const BodyCatalogue& catalogue) {
    std::vector<int> slots;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (InUse(catalogue, slot) && (slot < SlotAscendant || slot > SlotPartOfFortune))
            slots.push_back(slot);
    return slots;
}

std::vector<int> NatalListBodies(const BodyCatalogue& catalogue) {
    std::vector<int> slots;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (InUse(catalogue, slot)) slots.push_back(slot);
    return slots;
}

FormInput AspectarianInputOf(const AspectarianForm& form) {
    AspectarianInput input;
    input.from = DateOf(form.start);
    input.to = DateOf(form.end);
    input.transitBodies = form.transitBodies;
    input.natalBodies = form.natalBodies;
    input.pairing = form.pairing;
    input.aspects = form.aspects;
    input.events = form.events;
    input.passes = AspectarianPasses::Both;
    // A zone that is not a number fails the zone check in its turn.
    input.zone = ParseZoneOption(form.zone).value.value_or(std::nan(""));
    FormInput result;
    if (auto problem = ValidateAspectarian(input))
        result.problem = *problem;
    else
        result.input = std::move(input);
    return result;
}

AspectarianReader::AspectarianReader(const Session& session, const std::vector<int>& slots)
    : home_(session.workstation.home),
      ephemeris_(silent_),
      positions_(ephemeris_, tables_, silent_) {
    const Workstation& ws = session.workstation;
    positions_.Use1750 = ws.positions.Use1750;
    positions_.sidereal = ws.positions.sidereal;
    // A midpoint ephemeris is read from its pair where it can be: the pair's tables come along.
    tables_.midpoints = ws.tables.midpoints;
    std::vector<int> needed;
    for (int slot : slots) {
        if (slot < FirstFreeSlot || slot > BodyCount) continue;
        needed.push_back(slot);
        const MidpointPair& pair = tables_.midpoints[slot];
        if (pair.isMidpoint) needed.insert(needed.end(), {pair.first, pair.second});
    }
    std::sort(needed.begin(), needed.end());
    needed.erase(std::unique(needed.begin(), needed.end()), needed.end());
    for (int slot : needed) {
        if (slot < FirstFreeSlot || slot > BodyCount) continue;
        if (ws.tables.Loaded(slot)) {
            tables_.values[slot] = ws.tables.values[slot];
            tables_.has1900[slot] = ws.tables.has1900[slot];
            tables_.has1750[slot] = ws.tables.has1750[slot];
        } else if (InUse(ws.catalogue, slot)) {
            tablesToRead_.emplace_back(slot, ws.catalogue.BodyNames[slot]);
        }
    }
}

std::optional<AspectarianMessage> AspectarianReader::open() {
    OpenPlanetFiles(home_, ephemeris_);
    const std::filesystem::path folder = LoadFolderPath(home_);
    for (const auto& [slot, name] : tablesToRead_) {
        std::string error = LoadBodyDayTables(folder, name, slot, DayPeriod::From1900, tables_);
        if (error.empty() && positions_.Use1750)
            error = LoadBodyDayTables(folder, name, slot, DayPeriod::From1750, tables_);
        if (!error.empty())
            return AspectarianMessage{"Warning!", "Unable to load ephemeris file " + error};
    }
    tablesToRead_.clear();
    return std::nullopt;
}

AspectarianJob PrepareAspectarianJob(const Session& session, AspectarianInput input) {
    const Workstation& ws = session.workstation;
    std::vector<int> slots = input.transitBodies;
    if (input.pairing == AspectarianPairing::TransitNatal)
        slots.insert(slots.end(), input.natalBodies.begin(), input.natalBodies.end());
    AspectarianJob job;
    job.catalogue = ws.catalogue;
    job.reader = std::make_unique<AspectarianReader>(session, slots);
    const ChartHouses& houses = ws.natal.houses;
    const bool vertex = ws.catalogue.VertexOn;
    auto angle = [](double longitude, double declination) {
        BodyPoint point;
        point.longitude = longitude;
        point.second = declination;
        point.valid = true;
        return point;
    };
    job.natalJD = houses.ChartJD;
    job.natalAngles = {angle(houses.Ascendant, houses.AscendantDecl),
                       angle(houses.Midheaven, houses.MidheavenDecl),
                       vertex ? angle(houses.Vertex, houses.VertexDecl)
                              : angle(houses.PartOfFortune, houses.PartOfFortuneDecl)};
    job.input = std::move(input);
    return job;
}

AspectarianResult RunAspectarianJob(AspectarianJob& job, Messages& messages,
                                    const Progress& progress) {
    AspectarianResult refused;
    refused.outcome = AspectarianOutcome::Invalid;
    auto refuse = [&](const AspectarianMessage& problem, MessageIcon icon) {
        messages.show(problem.title, problem.text, icon);
        return refused;
    };
    if (auto problem = ValidateAspectarian(job.input))
        return refuse(*problem, MessageIcon::Exclamation);
    if (auto problem = job.reader->open()) return refuse(*problem, MessageIcon::Exclamation);
    if (auto problem = TakeNatalPoints(job)) return refuse(*problem, MessageIcon::Exclamation);
    AspectarianReader& reader = *job.reader;
    const PositionAtMoment positionAt = [&reader](double jd, int slot, Frame frame) {
        return reader.at(jd, slot, frame);
    };
    return RunAspectarian(job.input, positionAt, messages, progress);
}

void HeldMessages::showThrough(Messages& messages) {
    std::vector<Held> held = std::move(held_);
    held_.clear();
    for (const Held& m : held) messages.show(m.title, m.text, m.icon);
}

}  // namespace quintaro
