// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

namespace quintaro::test {

// Parts of a day, for moments given as Julian days.
constexpr double kHour = 1.0 / 24.0;
constexpr double kMinute = 1.0 / 1440.0;
constexpr double kSecond = 1.0 / 86400.0;

}  // namespace quintaro::test
