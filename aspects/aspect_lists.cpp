// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_lists.h"

namespace quintaro {

bool IsSelected(const std::string& selection, int body, bool transitSide) {
    if (body < 1 || body > BodyCount) return false;
    size_t index = static_cast<size_t>(body - 1 + (transitSide ? BodyCount : 0));
    return index < selection.size() && selection[index] == '1';
}

}  // namespace quintaro
