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

struct StoreNode {
    std::int32_t left = -1;
    std::int32_t right = -1;
    std::int32_t parent = -1;  // the third link
    std::string key;
    // Plain store: the text. Indexed store: the text when position is 0 (set since the file
    // was read, or empty).
    std::string data;
    std::int32_t position = 0;  // indexed store: where the text record lies in the file
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

struct StoreTable {
    std::vector<StoreNode> nodes;
    // The root or a link points outside the table: the tree must be rebuilt from the keys.
    bool needsRebuild = false;
};

// Reads the node table (the bytes from the table's offset to the end of the file). Nothing,
// with the reason, when a length is negative or the bytes end before the last node.
std::optional<StoreTable> ParseNodeTable(std::string_view bytes, const StoreHeader& header,
                                         std::string& error);

// The whole file of a plain store.
std::string PlainStoreBytes(const std::vector<StoreNode>& nodes, std::int32_t root);

// The whole file of an indexed store: the texts (textOf(i) for node i, which may throw) are laid
// out in node order; newPositions receives where each went. Nothing when the file would pass
// the 2 GB that 32-bit positions reach.
std::optional<std::string> IndexedStoreBytes(const std::vector<StoreNode>& nodes, std::int32_t root,
                                             const std::function<std::string(std::size_t)>& textOf,
                                             std::vector<std::int32_t>& newPositions);

// Checks a text record at position in an indexed file whose data area ends at dataEnd, given its
// first four bytes: the text's length, or nothing when the length is zero or negative or the
// text runs past the data area.
std::optional<std::size_t> TextRecordLength(std::string_view lengthBytes, std::int64_t position,
                                            std::int64_t dataEnd);

}  // namespace quintaro
