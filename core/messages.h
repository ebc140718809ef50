// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>

namespace quintaro {

enum class MessageIcon { Information, Exclamation, Critical };

// Everything that tells the user something goes through this interface: message boxes in the
// window, stderr on the command line, a recorder in tests.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void show(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(const std::string& title, const std::string& text) = 0;
};

// Says nothing and answers every question with its fixed answer; for batch work that has no user.
class SilentMessages final : public Messages {
public:
    explicit SilentMessages(bool answer = false) : answer_(answer) {}
    void show(const std::string&, const std::string&, MessageIcon) override {}
    bool ask(const std::string&, const std::string&) override { return answer_; }

private:
    bool answer_;
};

}  // namespace quintaro
