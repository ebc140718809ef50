// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Byte layout of the interpretation store files (".dat"): a binary search tree of keyed texts.
// All numbers are little-endian; texts are bytes without terminator.
//
// Header
//   0  i32  signature: 0x4D530001 plain store, 0x49530001 indexed store
//   4  i32  count of nodes, 0..1000000
//   8  i32  root node index (-1 for an empty store)
//  12  i32  indexed only: P, the end of the data area; the node table starts at P + 8
//  16  i32  indexed only: bytes of text records in the data area (informative)
//
// Plain store: the node table follows the header at byte 12.
// Indexed store: the data area runs from byte 20 to P and holds one record per non-empty text:
// i32 length n (1 or more), then n bytes. The 8 bytes at P are written as zero and not read.
//
// Node table: count entries in node-index order, each
//   i32 left, i32 right, i32 parent (-1 for none), i16 key length L, L bytes of key,
//   then plain: i16 data length n and n bytes; indexed: i32 position of the text record
//   (0 for an empty text).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

inline constexpr std::uint32_t PlainStoreSignature = 0x4D530001;
inline constexpr std::uint32_t IndexedStoreSignature = 0x49530001;
inline constexpr std::int32_t MaxStoreCount = 1000000;
inline constexpr std::size_t MaxStoreTextLength = 32767;  // the i16 length fields
inline constexpr std::size_t PlainHeaderSize = 12;
inline constexpr std::size_t IndexedHeaderSize = 20;
inline constexpr std::size_t TableMarkSize = 8;  // between P and the node table
inline constexpr std::size_t TextRecordLengthSize = 4;

// A node as the store holds it in memory: its key lies in the table's key area.
struct StoreNode {
    std::int32_t left = -1;
    std::int32_t right = -1;
    std::int32_t parent = -1;  // the third link
    // Indexed store: where the text record lies in the file; 0 when the text is in the table's
    // texts (set since the file was read, or empty).
    std::int32_t position = 0;
    std::uint32_t keyOffset = 0;  // into StoreTable::keys
    std::uint16_t keyLength = 0;
    // The key's first eight bytes in lower case, packed high byte first and padded with zeros:
    // comparing two of them orders two keys like CompareKeys as long as they differ.
    std::uint64_t keyPrefix = 0;
};

// Case-insensitive (ASCII) three-way comparison of keys.
int CompareKeys(std::string_view a, std::string_view b);
std::uint64_t KeyPrefix(std::string_view key);

// The nodes of a store with their keys and texts.
struct StoreTable {
    std::vector<StoreNode> nodes;
    std::string keys;                // every key, one after the other
    std::vector<std::string> texts;  // by node; an indexed store's texts read from its file are ""
    // The root or a link points outside the table: the tree must be rebuilt from the keys.
    bool needsRebuild = false;

    std::string_view keyOf(std::size_t node) const {
        return std::string_view(keys).substr(nodes[node].keyOffset, nodes[node].keyLength);
    }
    // Appends a node without links; false when the key area would pass 4 GB.
    bool add(std::string_view key, std::string text, std::int32_t position = 0);
};

struct StoreHeader {
    bool indexed = false;
    std::int32_t count = 0;
    std::int32_t root = -1;
    std::int32_t tablePosition = 0;  // P (indexed only)
    std::int32_t dataBytes = 0;      // indexed only
    // Byte offset of the node table in the file.
    std::int64_t tableOffset() const;
};

// Reads the header from the first bytes of a file (12 or 20 are needed). Nothing, with the
// reason in error, when the signature is unknown, the count lies outside 0..1000000, the bytes
// end too soon, or an indexed store's table position lies before the end of its header.
std::optional<StoreHeader> ParseStoreHeader(std::string_view bytes, std::string& error);

// Reads the node table (the bytes from the table's offset to the end of the file). Nothing,
// with the reason, when a length is negative or the bytes end before the last node.
std::optional<StoreTable> ParseNodeTable(std::string_view bytes, const StoreHeader& header,
                                         std::string& error);

// The whole file of a plain store.
std::string PlainStoreBytes(const StoreTable& table, std::int32_t root);

// The whole file of an indexed store: the texts (textOf(i) for node i, which may throw) are laid
// out in node order; newPositions receives where each went. Nothing when the file would pass
// the 2 GB that 32-bit positions reach.
std::optional<std::string> IndexedStoreBytes(const StoreTable& table, std::int32_t root,
                                             const std::function<std::string(std::size_t)>& textOf,
                                             std::vector<std::int32_t>& newPositions);

// Checks a text record at position in an indexed file whose data area ends at dataEnd, given its
// first four bytes: the text's length, or nothing when the length is zero or negative or the
// text runs past the data area.
std::optional<std::size_t> TextRecordLength(std::string_view lengthBytes, std::int64_t position,
                                            std::int64_t dataEnd);

}  // namespace quintaro
