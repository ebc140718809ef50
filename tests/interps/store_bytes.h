// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Store files written byte by byte in the tests, independently of the store's own writer.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quintaro::test {

class StoreBytes {
  public:
    StoreBytes& i32(std::int64_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes_ += static_cast<char>(bits >> shift);
        return *this;
    }
    StoreBytes& i16(int value) {
        bytes_ += static_cast<char>(value & 0xFF);
        bytes_ += static_cast<char>((value >> 8) & 0xFF);
        return *this;
    }
    StoreBytes& text(std::string_view text) {
        bytes_ += text;
        return *this;
    }
    StoreBytes& zeros(std::size_t count) {
        bytes_.append(count, '\0');
        return *this;
    }
    // A node of a plain store: links, key, text.
    StoreBytes& plainNode(int left, int right, int parent, std::string_view key,
                          std::string_view data) {
        i32(left).i32(right).i32(parent).i16(static_cast<int>(key.size())).text(key);
        return i16(static_cast<int>(data.size())).text(data);
    }
    // A node of an indexed store: links, key, position of the text record.
    StoreBytes& indexedNode(int left, int right, int parent, std::string_view key,
                            std::int64_t position) {
        i32(left).i32(right).i32(parent).i16(static_cast<int>(key.size())).text(key);
        return i32(position);
    }
    std::size_t size() const { return bytes_.size(); }
    const std::string& str() const { return bytes_; }

    void writeTo(const std::filesystem::path& path) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }

  private:
    std::string bytes_;
};

inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quintaro::test
