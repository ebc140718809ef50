// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/store_file.h"

#include <algorithm>
#include <limits>

namespace quintaro {

namespace {

// Reads little-endian numbers from a byte range, remembering whether it ran out.
class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::int32_t i32() {
        std::uint32_t value = 0;
        if (!take(4)) return 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | byte(at_ - 4 + i);
        return static_cast<std::int32_t>(value);
    }
    std::int16_t i16() {
        if (!take(2)) return 0;
        std::uint16_t value = static_cast<std::uint16_t>(byte(at_ - 1) << 8 | byte(at_ - 2));
        return static_cast<std::int16_t>(value);
    }
    std::string_view view(std::size_t length) {
        if (!take(length)) return {};
        return bytes_.substr(at_ - length, length);
    }
    bool ok() const { return ok_; }
    std::size_t offset() const { return at_; }

  private:
    bool take(std::size_t n) {
        if (!ok_ || bytes_.size() - at_ < n) {
            ok_ = false;
            return false;
        }
        at_ += n;
        return true;
    }
    std::uint32_t byte(std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }

    std::string_view bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

void PutI32(std::string& out, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out += static_cast<char>(bits >> (8 * i) & 0xFF);
}

void PutI16(std::string& out, std::size_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void PutLinksAndKey(std::string& out, const StoreTable& table, std::size_t node) {
    PutI32(out, table.nodes[node].left);
    PutI32(out, table.nodes[node].right);
    PutI32(out, table.nodes[node].parent);
    const std::string_view key = table.keyOf(node);
    PutI16(out, key.size());
    out += key;
}

// ASCII letter case only, without the locale: keys are compared on every step of a look-up.
unsigned char Lower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

bool LinkInTable(std::int32_t link, std::int32_t count) {
    return link >= -1 && link < count;
}

// Smallest node table entry: three links and the two length fields.
std::size_t MinimumNodeSize(bool indexed) {
    return indexed ? 18 : 16;
}

}  // namespace

int CompareKeys(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = Lower(a[i]), y = Lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::uint64_t KeyPrefix(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) prefix = prefix << 8 | (i < key.size() ? Lower(key[i]) : 0);
    return prefix;
}

bool StoreTable::add(std::string_view key, std::string text, std::int32_t position) {
    if (keys.size() + key.size() > std::numeric_limits<std::uint32_t>::max()) return false;
    StoreNode node;
    node.keyOffset = static_cast<std::uint32_t>(keys.size());
    node.keyLength = static_cast<std::uint16_t>(key.size());
    node.keyPrefix = KeyPrefix(key);
    node.position = position;
    keys += key;
    nodes.push_back(node);
    texts.push_back(std::move(text));
    return true;
}

std::int64_t StoreHeader::tableOffset() const {
    return indexed ? std::int64_t{tablePosition} + TableMarkSize
                   : static_cast<std::int64_t>(PlainHeaderSize);
}

std::optional<StoreHeader> ParseStoreHeader(std::string_view bytes, std::string& error) {
    ByteReader reader(bytes);
    const auto signature = static_cast<std::uint32_t>(reader.i32());
    if (reader.ok() && signature != PlainStoreSignature && signature != IndexedStoreSignature) {
        error = "the file is not an interpretation store (wrong signature)";
        return std::nullopt;
    }
    StoreHeader header;
    header.count = reader.i32();
    header.root = reader.i32();
    if (!reader.ok()) {
        error = "the file is too short for a store header";
        return std::nullopt;
    }
    if (header.count < 0 || header.count > MaxStoreCount) {
        error = "the store claims " + std::to_string(header.count) +
                " entries; a store holds 0 to 1000000";
        return std::nullopt;
    }
    header.indexed = signature == IndexedStoreSignature;
    if (header.indexed) {
        header.tablePosition = reader.i32();
        header.dataBytes = reader.i32();
        if (!reader.ok()) {
            error = "the file is too short for an indexed store header";
            return std::nullopt;
        }
        if (header.tablePosition < static_cast<std::int32_t>(IndexedHeaderSize)) {
            error = "the node table position " + std::to_string(header.tablePosition) +
                    " lies inside the header";
            return std::nullopt;
        }
    }
    return header;
}

std::optional<StoreTable> ParseNodeTable(std::string_view bytes, const StoreHeader& header,
                                         std::string& error) {
    StoreTable table;
    table.needsRebuild = header.count > 0 && !LinkInTable(header.root, header.count);
    // A damaged count cannot make us reserve more than the bytes can hold.
    const auto room =
        std::min<std::size_t>(header.count, bytes.size() / MinimumNodeSize(header.indexed));
    table.nodes.reserve(room);
    table.texts.reserve(room);
    table.keys.reserve(bytes.size());
    ByteReader reader(bytes);
    for (std::int32_t i = 0; i < header.count; ++i) {
        const std::int32_t left = reader.i32(), right = reader.i32(), parent = reader.i32();
        const std::int16_t keyLength = reader.i16();
        if (keyLength < 0) {
            error = "node " + std::to_string(i) + " has a negative key length";
            return std::nullopt;
        }
        const std::string_view key = reader.view(static_cast<std::size_t>(keyLength));
        std::int32_t position = 0;
        std::string text;
        if (header.indexed) {
            position = reader.i32();
        } else {
            const std::int16_t textLength = reader.i16();
            if (textLength < 0) {
                error = "node " + std::to_string(i) + " has a negative text length";
                return std::nullopt;
            }
            text = reader.view(static_cast<std::size_t>(textLength));
        }
        if (!reader.ok()) {
            error = "the node table ends inside node " + std::to_string(i) + " of " +
                    std::to_string(header.count);
            return std::nullopt;
        }
        table.add(key, std::move(text), position);
        StoreNode& node = table.nodes.back();
        node.left = left;
        node.right = right;
        node.parent = parent;
        if (!LinkInTable(left, header.count) || !LinkInTable(right, header.count) ||
            !LinkInTable(parent, header.count)) {
            table.needsRebuild = true;
        }
    }
    return table;
}

std::string PlainStoreBytes(const StoreTable& table, std::int32_t root) {
    std::string out;
    PutI32(out, static_cast<std::int32_t>(PlainStoreSignature));
    PutI32(out, static_cast<std::int32_t>(table.nodes.size()));
    PutI32(out, root);
    for (std::size_t i = 0; i < table.nodes.size(); ++i) {
        PutLinksAndKey(out, table, i);
        PutI16(out, table.texts[i].size());
        out += table.texts[i];
    }
    return out;
}

std::optional<std::string> IndexedStoreBytes(const StoreTable& table, std::int32_t root,
                                             const std::function<std::string(std::size_t)>& textOf,
                                             std::vector<std::int32_t>& newPositions) {
    constexpr auto limit = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    const std::size_t count = table.nodes.size();
    std::string out(IndexedHeaderSize, '\0');
    newPositions.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        std::string text = textOf(i);
        if (text.empty()) continue;
        if (out.size() + TextRecordLengthSize + text.size() > limit) return std::nullopt;
        newPositions[i] = static_cast<std::int32_t>(out.size());
        PutI32(out, static_cast<std::int32_t>(text.size()));
        out += text;
    }
    const std::size_t tablePosition = out.size();
    out.append(TableMarkSize, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        PutLinksAndKey(out, table, i);
        PutI32(out, newPositions[i]);
    }
    if (out.size() > limit) return std::nullopt;
    std::string header;
    PutI32(header, static_cast<std::int32_t>(IndexedStoreSignature));
    PutI32(header, static_cast<std::int32_t>(count));
    PutI32(header, root);
    PutI32(header, static_cast<std::int32_t>(tablePosition));
    PutI32(header, static_cast<std::int32_t>(tablePosition - IndexedHeaderSize));
    out.replace(0, IndexedHeaderSize, header);
    return out;
}

std::optional<std::size_t> TextRecordLength(std::string_view lengthBytes, std::int64_t position,
                                            std::int64_t dataEnd) {
    ByteReader reader(lengthBytes);
    const std::int32_t length = reader.i32();
    if (!reader.ok() || length <= 0) return std::nullopt;
    if (position < static_cast<std::int64_t>(IndexedHeaderSize) ||
        position + static_cast<std::int64_t>(TextRecordLengthSize) + length > dataEnd) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(length);
}

}  // namespace quintaro
