// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "core/messages.h"

namespace quintaro {

// Messages as modal message boxes over the active window, titled and with their icon.
class QtMessages final : public Messages {
  public:
    void show(const std::string& title, const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& title, const std::string& text) override;
};

// Messages on standard error, questions answered "no": for runs without a user (screenshots).
class ConsoleMessages final : public Messages {
  public:
    void show(const std::string& title, const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& title, const std::string& text) override;
};

}  // namespace quintaro
