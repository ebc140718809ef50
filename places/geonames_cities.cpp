// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/geonames_cities.h"

#include <dlfcn.h>
#include <geonames.h>
#include <locale.h>
#include <sys/stat.h>

#include <memory>

namespace quintaro {

namespace {

std::string Text(const gchar* text) {
    return text ? std::string(text) : std::string();
}

// The library translates names into the language of the running program; the atlas keeps the
// English names so that the same search finds the same place everywhere. The C locale is set for
// this thread only, while the cities are read.
class EnglishNames {
  public:
    EnglishNames() : c_(newlocale(LC_ALL_MASK, "C", nullptr)) {
        if (c_) previous_ = uselocale(c_);
    }
    ~EnglishNames() {
        if (!c_) return;
        uselocale(previous_);
        freelocale(c_);
    }
    EnglishNames(const EnglishNames&) = delete;
    EnglishNames& operator=(const EnglishNames&) = delete;

  private:
    locale_t c_;
    locale_t previous_ = nullptr;
};

}  // namespace

std::vector<GeoPlace> LoadGeonamesCities() {
    EnglishNames english;
    const gint count = geonames_get_n_cities();
    std::vector<GeoPlace> cities;
    cities.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (gint k = 0; k < count; ++k) {
        std::unique_ptr<GeonamesCity, decltype(&geonames_city_free)> city(geonames_get_city(k),
                                                                          geonames_city_free);
        if (!city) continue;
        GeoPlace place;
        place.name = Text(geonames_city_get_name(city.get()));
        place.region = Text(geonames_city_get_state(city.get()));
        place.country = Text(geonames_city_get_country(city.get()));
        place.countryCode = Text(geonames_city_get_country_code(city.get()));
        place.latitude = geonames_city_get_latitude(city.get());
        place.longitude = geonames_city_get_longitude(city.get());
        place.zoneName = Text(geonames_city_get_timezone(city.get()));
        place.population = static_cast<long>(geonames_city_get_population(city.get()));
        if (!place.name.empty() && !place.zoneName.empty()) cities.push_back(std::move(place));
    }
    return cities;
}

std::string GeonamesSource() {
    Dl_info info{};
    std::string source = "libgeonames";
    if (dladdr(reinterpret_cast<void*>(&geonames_get_n_cities), &info) && info.dli_fname) {
        struct stat file {};
        source += std::string(" ") + info.dli_fname;
        if (stat(info.dli_fname, &file) == 0)
            source += " " + std::to_string(file.st_size) + " " + std::to_string(file.st_mtime);
    }
    return source + " " + std::to_string(geonames_get_n_cities());
}

}  // namespace quintaro
