// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

namespace quintaro {

// Progress of a long loop: a text, how much is done out of how much, and the answer whether
// to go on (false once the user pressed Cancel). total 0 means "no count, just the text".
using Progress = std::function<bool(std::string_view text, long done, long total)>;

inline bool ReportProgress(const Progress& progress, std::string_view text, long done = 0,
                           long total = 0) {
    return !progress || progress(text, done, total);
}

}  // namespace quintaro
