// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/messages.h"

namespace quintaro::test {

// Keeps every message shown so a test can check title, text and icon; questions get the
// prepared answer.
class RecordingMessages final : public Messages {
public:
    struct Shown {
        std::string title, text;
        MessageIcon icon;
    };
    std::vector<Shown> shown;
    std::vector<std::string> questions;
    bool answer = false;

    void show(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({title, text, icon});
    }
    bool ask(const std::string& title, const std::string& text) override {
        questions.push_back(title + ": " + text);
        return answer;
    }
};

}  // namespace quintaro::test
