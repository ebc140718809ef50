// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/option_window_captions.h"

#include <array>

namespace quintaro {

std::string OptionBodyCaption(const BodyCatalogue& catalogue, int slot) {
    static constexpr std::array<const char*, 42> kNames = {
        "Sun",        "Mercury", "Venus",  "Moon",      "Mars",       "Jupiter",  "Saturn",
        "Uranus",     "Neptune", "Pluto",  "Earth",     "Chiron",     "Node",     "Ceres",
        "Pallas",     "Vesta",   "Juno",   "Ascendant", "MC",         "Vertex",   "Aphrodite",
        "Apollo",     "Artemis", "Athene", "Bacchus",   "Demeter",    "Diana",    "Dionysus",
        "Epimetheus", "Eros",    "Hebe",   "Hera",      "Heracles",   "Hestia",   "Leda",
        "Minerva",    "Minos",   "Pan",    "Pandora",   "Persephone", "Poseidon", "Prometheus"};
    if (slot == 20) return catalogue.VertexOn ? "Vertex" : "Part of Fortune";
    if (slot >= 1 && slot <= 42) return kNames[static_cast<size_t>(slot - 1)];
    if (slot == 48) return "x3-andromache";
    return "Zeus";
}

std::string SaveToGroupCaption(int group) {
    return "&Save to Group " + std::to_string(group);
}

std::string OptionWindowHelp() {
    return "1. Check the bodies to use: the left column for the natal chart, the right one for "
           "the transiting chart.\n"
           "2. \"Apply\" puts the checked bodies to use and recalculates.\n"
           "3. The ten groups: \"Load Group 1\" to \"Load Group 9\" choose a numbered group file, "
           "the last group button a file of your own; \"Load\" reads the chosen group and the "
           "save button writes the check boxes to it.\n"
           "4. \"Save As\" writes the check boxes to a file you name.\n"
           "5. Group 1 is reloaded with its defaults at every start.";
}

}  // namespace quintaro
