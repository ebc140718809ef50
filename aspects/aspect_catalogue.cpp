// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_catalogue.h"

#include "core/formatting.h"

namespace quintaro {

int AspectAngle(int code) {
    if (code < 0 || code >= static_cast<int>(AspectAngles.size())) return -1;
    return AspectAngles[static_cast<size_t>(code)];
}

int AspectLongNameIndex(int code) {
    switch (code) {
        case AspectConjunction:
            return 1;
        case AspectSemiSextile:
            return 2;
        case AspectSemiSquare:
            return 3;
        case AspectSextile:
            return 4;
        case AspectQuintile:
            return 5;
        case AspectSquare:
            return 6;
        case AspectTrine:
            return 7;
        case AspectSesquiquadrate:
            return 8;
        case AspectBiquintile:
            return 9;
        case AspectQuincunx:
            return 10;
        case AspectOpposition:
            return 11;
        case AspectParallel:
            return 12;
        case AspectContraParallel:
            return 13;
        default:
            return 0;
    }
}

std::string_view AspectLongNameOfCode(int code) {
    return AspectLongNames[static_cast<size_t>(AspectLongNameIndex(code))];
}

std::string_view AspectInterpretationKeyOfCode(int code) {
    return AspectInterpretationKeys[static_cast<size_t>(AspectLongNameIndex(code))];
}

std::string AspectAngleText(int code) {
    if (code < AspectConjunction || code == AspectParallel) return {};
    int angle = AspectAngle(code);
    return angle < 0 ? std::string() : FormatNumber(angle, "000");
}

bool IsLongitudeAspectCode(int code) {
    return code > AspectNone && code < 17 && code != AspectParallel;
}

}  // namespace quintaro
