# SPDX-License-Identifier: AGPL-3.0-or-later
"""Independent zone readings for the zone lookup test, computed with Python's zoneinfo on the
same system zoneinfo files.

Usage: zoneinfo_peer.py CITIES COUNT SEED
CITIES holds one city a line: index, zone name and longitude (degrees east), tab-separated.
Prints COUNT cases, one a line, tab-separated: city index, year, month, day, hour, minute,
kind (unique, skipped, repeated), then for each reading its UTC offset in seconds, its
abbreviation, 1/0 for daylight saving and 1/0 for local mean time.

The rules, stated independently of the code under test:
- a local clock time has one reading for every moment of UT whose local time it is;
- local time is the zone's, except where the zone data name the time "LMT": there it is the
  mean time of the city's own longitude (4 minutes a degree, rounded to the second), kept within
  12 hours of the zone's figure (a zone may keep the date of the far side of the date line);
- no reading: the clocks skipped the time; the readings before and after the change are given;
- two readings: the time happened twice; the earlier comes first.
About one case in six is chosen inside a gap or a fold of the city's zone.
"""
import datetime as dt
import random
import sys
import zoneinfo

UTC = dt.timezone.utc
EPOCH = dt.datetime(1970, 1, 1, tzinfo=UTC)
FIRST, LAST = 1900, 2050


def reading_at(zone, longitude, ut):
    """The reading at a UT moment (seconds since 1970)."""
    local = (EPOCH + dt.timedelta(seconds=ut)).astimezone(zone)
    offset = int(local.utcoffset().total_seconds())
    name = local.tzname()
    if name == "LMT":
        own = round(longitude * 240)
        while own - offset > 12 * 3600:
            own -= 24 * 3600
        while offset - own > 12 * 3600:
            own += 24 * 3600
        return (own, "LMT", 0, 1)
    return (offset, name, 1 if local.dst() else 0, 0)


def local_seconds(naive):
    return int((naive.replace(tzinfo=UTC) - EPOCH).total_seconds())


def readings_of(zone, longitude, naive):
    clock = local_seconds(naive)
    candidates = set()
    for fold in (0, 1):
        offset = naive.replace(fold=fold, tzinfo=zone).utcoffset()
        candidates.add(int(offset.total_seconds()))
        candidates.add(reading_at(zone, longitude, clock - int(offset.total_seconds()))[0])
    found = []
    for offset in candidates:
        reading = reading_at(zone, longitude, clock - offset)
        if reading[0] == offset:
            found.append((clock - offset, reading))
    found.sort()
    if found:
        return ("unique" if len(found) == 1 else "repeated"), [r for _, r in found]
    # Skipped: the reading just before and just after the jump over this clock time.
    early = min(candidates)  # the smaller offset maps the clock to the later UT
    before = reading_at(zone, longitude, clock - max(candidates) - 1)
    after = reading_at(zone, longitude, clock - early)
    return "skipped", [before, after]


def changes_in_year(zone, year):
    """UT seconds of the changes of offset in a year (found by days, then to the second)."""
    start = local_seconds(dt.datetime(year, 1, 1))
    day = 86400
    offset_at = lambda ut: (EPOCH + dt.timedelta(seconds=ut)).astimezone(zone).utcoffset()
    changes = []
    for k in range(366):
        a, b = start + k * day, start + (k + 1) * day
        if offset_at(a) != offset_at(b):
            while b - a > 1:
                middle = (a + b) // 2
                if offset_at(middle) == offset_at(a):
                    a = middle
                else:
                    b = middle
            changes.append(b)
    return changes


def time_in_change(zone, rng):
    """A local clock time inside a gap or fold of the zone, or None."""
    year = rng.randint(FIRST, LAST)
    changes = changes_in_year(zone, year)
    if not changes:
        return None
    ut = rng.choice(changes)
    before = int((EPOCH + dt.timedelta(seconds=ut - 1)).astimezone(zone).utcoffset().total_seconds())
    after = int((EPOCH + dt.timedelta(seconds=ut)).astimezone(zone).utcoffset().total_seconds())
    low, high = sorted((ut + before, ut + after))  # the local clock times the change spans
    minutes = [m for m in range(low // 60, (high + 59) // 60) if low <= m * 60 < high]
    if not minutes:
        return None
    naive = EPOCH.replace(tzinfo=None) + dt.timedelta(minutes=rng.choice(minutes))
    return naive if FIRST <= naive.year <= LAST else None


def main():
    cities_file, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    cities = []
    with open(cities_file, encoding="utf-8") as f:
        for line in f:
            index, zone, longitude = line.rstrip("\n").split("\t")
            cities.append((int(index), zone, float(longitude)))
    rng = random.Random(seed)
    zones = {}
    span = local_seconds(dt.datetime(LAST + 1, 1, 1)) - local_seconds(dt.datetime(FIRST, 1, 1))
    out = sys.stdout
    made = 0
    while made < count:
        index, name, longitude = rng.choice(cities)
        zone = zones.setdefault(name, zoneinfo.ZoneInfo(name))
        naive = None
        if rng.random() < 1 / 6:
            naive = time_in_change(zone, rng)
        if naive is None:
            minutes = rng.randrange(span // 60)
            naive = dt.datetime(FIRST, 1, 1) + dt.timedelta(minutes=minutes)
        kind, readings = readings_of(zone, longitude, naive)
        fields = [str(index), str(naive.year), str(naive.month), str(naive.day), str(naive.hour),
                  str(naive.minute), kind]
        for offset, abbreviation, dst, lmt in readings:
            fields += [str(offset), abbreviation, str(dst), str(lmt)]
        out.write("\t".join(fields) + "\n")
        made += 1


if __name__ == "__main__":
    main()
