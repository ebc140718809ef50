// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <expat.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quintaro::test {

// One element of a parsed document: its name, attributes and the character data directly inside.
struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    int depth = 0;

    bool has(const std::string& key) const { return attributes.count(key) != 0; }
    std::string at(const std::string& key) const {
        auto it = attributes.find(key);
        return it == attributes.end() ? std::string() : it->second;
    }
    double number(const std::string& key) const { return std::stod(at(key)); }
};

// Parses a document with expat; nothing when it is not well-formed XML (error says why).
inline std::optional<std::vector<XmlElement>> ParseXml(const std::string& document,
                                                       std::string& error) {
    struct State {
        std::vector<XmlElement> elements;
        std::vector<std::size_t> open;
    } state;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto& s = *static_cast<State*>(data);
            XmlElement element{name, {}, {}, static_cast<int>(s.open.size())};
            for (int i = 0; attributes[i]; i += 2)
                element.attributes[attributes[i]] = attributes[i + 1];
            s.open.push_back(s.elements.size());
            s.elements.push_back(std::move(element));
        },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->open.pop_back(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto& s = *static_cast<State*>(data);
        if (!s.open.empty()) s.elements[s.open.back()].text.append(text, length);
    });
    bool ok =
        XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    if (!ok)
        error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    if (!ok) return std::nullopt;
    return state.elements;
}

inline std::vector<XmlElement> ElementsNamed(const std::vector<XmlElement>& all,
                                             const std::string& name) {
    std::vector<XmlElement> out;
    for (const auto& e : all)
        if (e.name == name) out.push_back(e);
    return out;
}

}  // namespace quintaro::test
