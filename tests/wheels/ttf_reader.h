// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace quintaro::test {

// Just enough of a TrueType reader to check a built font from outside the tool that made it:
// the family name, the character map (format 4), glyph outline sizes and advance widths.
// Every read is bounds-checked; a damaged file reads as zeros.
class TtfReader {
  public:
    explicit TtfReader(std::string bytes) : bytes_(std::move(bytes)) { readDirectory(); }

    bool valid() const { return tables_.count("cmap") && tables_.count("glyf") && cmap_ != 0; }
    int unitsPerEm() const { return u16(table("head") + 18); }

    // Family name (name id 1) of the Windows Unicode records.
    std::string familyName() const {
        std::uint32_t name = table("name");
        std::uint32_t count = u16(name + 2), strings = name + u16(name + 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t record = name + 6 + 12 * i;
            if (u16(record) != 3 || u16(record + 6) != 1) continue;
            std::string family;
            std::uint32_t length = u16(record + 8), offset = strings + u16(record + 10);
            for (std::uint32_t k = 0; k + 1 < length; k += 2)
                family.push_back(static_cast<char>(u16(offset + k) & 0x7F));
            return family;
        }
        return {};
    }

    // Glyph index of a BMP code point, 0 (the missing glyph) when the font has none.
    int glyphIndex(std::uint32_t codePoint) const {
        std::uint32_t segX2 = u16(cmap_ + 6);
        std::uint32_t ends = cmap_ + 14, starts = ends + segX2 + 2, deltas = starts + segX2,
                      ranges = deltas + segX2;
        for (std::uint32_t s = 0; s < segX2; s += 2) {
            if (codePoint > u16(ends + s)) continue;
            std::uint32_t start = u16(starts + s);
            if (codePoint < start) return 0;
            std::uint32_t delta = u16(deltas + s), range = u16(ranges + s);
            if (range == 0) return (codePoint + delta) & 0xFFFF;
            std::uint32_t glyph = u16(ranges + s + range + 2 * (codePoint - start));
            return glyph == 0 ? 0 : (glyph + delta) & 0xFFFF;
        }
        return 0;
    }

    // Size in bytes of a glyph's outline data (0 for a blank glyph).
    std::uint32_t outlineSize(int glyph) const {
        std::uint32_t loca = table("loca");
        bool longOffsets = u16(table("head") + 50) == 1;
        auto offset = [&](std::uint32_t i) {
            return longOffsets ? u32(loca + 4 * i) : 2u * u16(loca + 2 * i);
        };
        std::uint32_t g = static_cast<std::uint32_t>(glyph);
        return offset(g + 1) >= offset(g) ? offset(g + 1) - offset(g) : 0;
    }

    int advance(int glyph) const {
        std::uint32_t metrics = u16(table("hhea") + 34);
        std::uint32_t g = static_cast<std::uint32_t>(glyph);
        return u16(table("hmtx") + 4 * (g < metrics ? g : metrics - 1));
    }

  private:
    std::uint32_t u16(std::uint32_t at) const {
        if (at + 2 > bytes_.size()) return 0;
        return (static_cast<std::uint8_t>(bytes_[at]) << 8) |
               static_cast<std::uint8_t>(bytes_[at + 1]);
    }
    std::uint32_t u32(std::uint32_t at) const { return (u16(at) << 16) | u16(at + 2); }
    std::uint32_t table(const std::string& tag) const {
        auto it = tables_.find(tag);
        return it == tables_.end() ? static_cast<std::uint32_t>(bytes_.size()) : it->second;
    }

    void readDirectory() {
        std::uint32_t count = u16(4);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t entry = 12 + 16 * i;
            if (entry + 16 > bytes_.size()) break;
            tables_[bytes_.substr(entry, 4)] = u32(entry + 8);
        }
        std::uint32_t cmap = table("cmap");
        for (std::uint32_t i = 0, n = u16(cmap + 2); i < n; ++i) {
            std::uint32_t record = cmap + 4 + 8 * i;
            bool unicode = (u16(record) == 3 && u16(record + 2) == 1) || u16(record) == 0;
            std::uint32_t subtable = cmap + u32(record + 4);
            if (unicode && u16(subtable) == 4) cmap_ = subtable;
        }
    }

    std::string bytes_;
    std::map<std::string, std::uint32_t> tables_;
    std::uint32_t cmap_ = 0;
};

}  // namespace quintaro::test
