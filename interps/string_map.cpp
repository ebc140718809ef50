// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/string_map.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/atomic_file.h"

namespace quintaro {

namespace {

// Inserting keeps every node within this depth of the root (a scapegoat tree with weight
// balance 2/3): a deeper insertion rebuilds the smallest unbalanced subtree above it, so that
// keys inserted in sorted order still give a tree of logarithmic height.
int HeightBound(std::size_t count) {
    return count < 2 ? 0 : static_cast<int>(std::log(static_cast<double>(count)) / std::log(1.5));
}

std::string QuotedName(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

}  // namespace

StringMap::StringMap(StoreFileWriter writer) : writer_(std::move(writer)) {
    if (!writer_) writer_ = WriteFileAtomically;
}

StringMap::~StringMap() = default;
StringMap::StringMap(StringMap&&) noexcept = default;
StringMap& StringMap::operator=(StringMap&&) noexcept = default;

std::string StringMap::GetAt_Decrypt_RTF(std::string_view key) const {
    return RtfEscape(GetAt_Decrypt(key));
}

std::string StringMap::Interpretation_Decrypt_RTF(std::string_view asp, ReportMode mode,
                                                  Messages& messages) const {
    return RtfEscape(Interpretation_Decrypt(asp, mode, messages));
}

std::string StringMap::Interpretation_Decrypt(std::string_view asp, ReportMode mode,
                                              Messages& messages) const {
    if (table_.nodes.empty()) {
        TellInterpretationFilesMissing(messages);
        return {};
    }
    const auto key = StoreKeyOfAspect(asp, mode);
    return key ? GetAt_Decrypt(*key) : std::string();
}

void StringMap::Clear() {
    if (!table_.nodes.empty()) modified_ = true;
    table_ = StoreTable();
    root_ = -1;
    CloseFile();
    openPath_.clear();
}

std::string StringMap::GetAt(std::string_view key) const {
    std::string data;
    Lookup(key, &data);
    return data;
}

bool StringMap::Lookup(std::string_view key, std::string* data) const {
    const std::int32_t node = Find(key);
    if (node < 0) return false;
    if (data) *data = TextOf(static_cast<std::size_t>(node));
    return true;
}

void StringMap::ReBalance() {
    std::vector<std::int32_t> order(table_.nodes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [this](std::int32_t a, std::int32_t b) {
        const StoreNode &x = table_.nodes[a], &y = table_.nodes[b];
        if (x.keyPrefix != y.keyPrefix) return x.keyPrefix < y.keyPrefix;
        return CompareKeys(table_.keyOf(a), table_.keyOf(b)) < 0;
    });
    root_ = BuildBalanced(order, 0, order.size(), -1);
    NumberByLevel();
}

bool StringMap::SetAt(std::string_view key, std::string_view data) {
    if (key.size() > MaxStoreTextLength) {
        lastError_ = "the key is longer than 32767 characters";
        return false;
    }
    if (data.size() > MaxStoreTextLength) {
        lastError_ = "the text of '" + std::string(key) + "' is longer than 32767 characters";
        return false;
    }
    const std::int32_t found = Find(key);
    if (found < 0) {
        if (Count() >= MaxStoreCount) {
            lastError_ = "the store is full (1000000 entries)";
            return false;
        }
        if (!Insert(key, std::string(data))) {
            lastError_ = "the store's keys would pass 4 GB";
            return false;
        }
        modified_ = true;
        return true;
    }
    const auto node = static_cast<std::size_t>(found);
    bool same = false;
    try {
        same = CompareKeys(TextOf(node), data) == 0;
    } catch (const CorruptStoreError&) {
        // An unreadable old text is replaced like any other.
    }
    if (!same) {
        table_.texts[node] = std::string(data);
        table_.nodes[node].position = 0;  // the old record is left out of the next file
        modified_ = true;
    }
    return true;
}

bool StringMap::WriteFile() {
    if (fileName_.empty()) {
        lastError_ = "the store has no file name";
        return false;
    }
    std::string image;
    std::vector<std::int32_t> positions;
    try {
        if (indexed_) {
            auto bytes = IndexedStoreBytes(
                table_, root_, [this](std::size_t i) { return TextOf(i); }, positions);
            if (!bytes) {
                lastError_ = "the store would pass 2 GB";
                return false;
            }
            image = std::move(*bytes);
        } else {
            for (std::size_t i = 0; i < table_.texts.size(); ++i) {
                if (table_.texts[i].size() > MaxStoreTextLength) {
                    lastError_ = "the text of '" + std::string(table_.keyOf(i)) +
                                 "' is too long for a plain store (32767 characters)";
                    return false;
                }
            }
            image = PlainStoreBytes(table_, root_);
        }
    } catch (const CorruptStoreError& error) {
        lastError_ = error.what();
        return false;
    }
    // The open file is closed while it is replaced (some systems refuse to replace an open
    // file) and opened again afterwards, the new one or, after a failure, the old one.
    CloseFile();
    if (std::string error = writer_(fileName_, image); !error.empty()) {
        lastError_ = "Could not write " + QuotedName(fileName_) + ": " + error;
        if (indexed_) ReopenIndexedFile();
        return false;
    }
    if (indexed_) {
        for (std::size_t i = 0; i < table_.nodes.size(); ++i) {
            table_.nodes[i].position = positions[i];
            if (positions[i] != 0) std::string().swap(table_.texts[i]);
        }
        std::string ignored;
        dataEnd_ = ParseStoreHeader(image, ignored)->tablePosition;
        openPath_ = fileName_;
        if (!ReopenIndexedFile()) {
            lastError_ = "Wrote " + QuotedName(fileName_) + " but cannot open it again";
            return false;
        }
    }
    modified_ = false;
    return true;
}

bool StringMap::OpenFile(const std::filesystem::path& path) {
    Clear();
    modified_ = false;
    lastError_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        lastError_ = "Cannot open " + QuotedName(path);
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::int64_t size = in.tellg();
    if (size < 0) {
        lastError_ = "Cannot read " + QuotedName(path);
        return false;
    }
    std::string headerBytes(std::min<std::int64_t>(size, IndexedHeaderSize), '\0');
    in.seekg(0);
    in.read(headerBytes.data(), static_cast<std::streamsize>(headerBytes.size()));
    std::string error;
    const auto header = ParseStoreHeader(headerBytes, error);
    if (!header) {
        lastError_ = QuotedName(path) + " does not open: " + error;
        return false;
    }
    std::string tableBytes;
    if (header->tableOffset() < size) {
        tableBytes.resize(static_cast<std::size_t>(size - header->tableOffset()));
        in.seekg(header->tableOffset());
        in.read(tableBytes.data(), static_cast<std::streamsize>(tableBytes.size()));
        if (!in) {
            lastError_ = "Cannot read " + QuotedName(path);
            return false;
        }
    }
    auto table = ParseNodeTable(tableBytes, *header, error);
    if (!table) {
        lastError_ = QuotedName(path) + " does not open: " + error;
        return false;
    }
    table_ = std::move(*table);
    root_ = header->root;
    indexed_ = header->indexed;
    dataEnd_ = header->tablePosition;
    fileName_ = path;
    const int height = table_.needsRebuild ? -1 : CheckTree();
    if (height < 0) {
        DropDuplicateKeys();
        ReBalance();
        lastError_ = "The tree of " + QuotedName(path) + " was damaged and has been rebuilt";
    } else if (height > HeightBound(table_.nodes.size()) + 1) {
        ReBalance();
    } else {
        NumberByLevel();
    }
    if (indexed_) {
        file_ = std::move(in);
        openPath_ = path;
    }
    return true;
}

ImportResult StringMap::ImportAscii(const std::filesystem::path& path) {
    std::string content;
    if (!ReadWholeFile(path, content)) {
        ImportResult result;
        result.complete = false;
        result.problem = "cannot read the file";
        return result;
    }
    return ReadImportText(content, [this](const ImportEntry& entry) {
        return SetAt(entry.key, entry.text) ? std::string() : lastError_;
    });
}

void StringMap::SetIndexed(bool indexed) {
    if (indexed == indexed_) return;
    if (!indexed) {
        std::vector<std::string> texts(table_.nodes.size());
        for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = TextOf(i);
        table_.texts = std::move(texts);
        for (StoreNode& node : table_.nodes) node.position = 0;
        CloseFile();
        openPath_.clear();
    }
    indexed_ = indexed;
}

std::string StringMap::GetAt_Decrypt(std::string_view key) const {
    return GetAt(key);
}

std::vector<std::string> StringMap::Keys() const {
    std::vector<std::string> keys;
    keys.reserve(table_.nodes.size());
    for (std::int32_t node : SubtreeOrder(root_)) keys.emplace_back(table_.keyOf(node));
    return keys;
}

int StringMap::Height() const {
    int height = 0;
    std::vector<std::pair<std::int32_t, int>> stack;
    if (root_ >= 0) stack.emplace_back(root_, 1);
    while (!stack.empty()) {
        auto [node, depth] = stack.back();
        stack.pop_back();
        height = std::max(height, depth);
        for (std::int32_t child : {table_.nodes[node].left, table_.nodes[node].right}) {
            if (child >= 0) stack.emplace_back(child, depth + 1);
        }
    }
    return height;
}

std::int32_t StringMap::Find(std::string_view key) const {
    const std::uint64_t prefix = KeyPrefix(key);
    std::int32_t node = root_;
    while (node >= 0) {
        const StoreNode& entry = table_.nodes[node];
        int order = prefix < entry.keyPrefix ? -1 : prefix > entry.keyPrefix ? 1 : 0;
        if (order == 0) order = CompareKeys(key, table_.keyOf(node));
        if (order == 0) return node;
        node = order < 0 ? entry.left : entry.right;
    }
    return -1;
}

std::string StringMap::TextOf(std::size_t node) const {
    const std::int32_t position = table_.nodes[node].position;
    return indexed_ && position != 0 ? ReadTextRecord(position) : table_.texts[node];
}

std::string StringMap::ReadTextRecord(std::int32_t position) const {
    if (!file_.is_open()) ThrowCorrupt();
    file_.clear();
    std::string lengthBytes(TextRecordLengthSize, '\0');
    file_.seekg(position);
    file_.read(lengthBytes.data(), static_cast<std::streamsize>(lengthBytes.size()));
    const auto length = TextRecordLength(lengthBytes, position, dataEnd_);
    if (!file_ || !length) ThrowCorrupt();
    std::string text(*length, '\0');
    file_.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file_) ThrowCorrupt();
    return text;
}

bool StringMap::Insert(std::string_view key, std::string text) {
    const auto added = static_cast<std::int32_t>(table_.nodes.size());
    if (!table_.add(key, std::move(text))) return false;
    if (root_ < 0) {
        root_ = added;
        return true;
    }
    const std::uint64_t prefix = table_.nodes[added].keyPrefix;
    std::int32_t parent = root_;
    int depth = 1;
    for (;; ++depth) {
        const StoreNode& above = table_.nodes[parent];
        const bool left = prefix != above.keyPrefix ? prefix < above.keyPrefix
                                                    : CompareKeys(key, table_.keyOf(parent)) < 0;
        std::int32_t& child = left ? table_.nodes[parent].left : table_.nodes[parent].right;
        if (child < 0) {
            child = added;
            break;
        }
        parent = child;
    }
    table_.nodes[added].parent = parent;
    if (depth <= HeightBound(table_.nodes.size())) return true;
    // Too deep: rebuild the lowest ancestor whose one side outweighs two thirds of it.
    std::size_t size = 1;
    for (std::int32_t below = added, above = parent; above >= 0;
         below = above, above = table_.nodes[above].parent) {
        const StoreNode& node = table_.nodes[above];
        const std::int32_t sibling = node.left == below ? node.right : node.left;
        const std::size_t aboveSize = 1 + size + SubtreeOrder(sibling).size();
        if (3 * size > 2 * aboveSize) {
            RebuildSubtree(above);
            return true;
        }
        size = aboveSize;
    }
    ReBalance();
    return true;
}

std::vector<std::int32_t> StringMap::SubtreeOrder(std::int32_t top) const {
    std::vector<std::int32_t> order, stack;
    std::int32_t node = top;
    while (node >= 0 || !stack.empty()) {
        for (; node >= 0; node = table_.nodes[node].left) stack.push_back(node);
        node = stack.back();
        stack.pop_back();
        order.push_back(node);
        node = table_.nodes[node].right;
    }
    return order;
}

std::int32_t StringMap::BuildBalanced(const std::vector<std::int32_t>& order, std::size_t from,
                                      std::size_t to, std::int32_t parent) {
    if (from >= to) return -1;
    const std::size_t middle = from + (to - from) / 2;
    const std::int32_t node = order[middle];
    table_.nodes[node].parent = parent;
    table_.nodes[node].left = BuildBalanced(order, from, middle, node);
    table_.nodes[node].right = BuildBalanced(order, middle + 1, to, node);
    return node;
}

void StringMap::RebuildSubtree(std::int32_t top) {
    const std::int32_t parent = table_.nodes[top].parent;
    const std::vector<std::int32_t> order = SubtreeOrder(top);
    const std::int32_t rebuilt = BuildBalanced(order, 0, order.size(), parent);
    if (parent < 0) {
        root_ = rebuilt;
    } else if (table_.nodes[parent].left == top) {
        table_.nodes[parent].left = rebuilt;
    } else {
        table_.nodes[parent].right = rebuilt;
    }
}

int StringMap::CheckTree() {
    auto& nodes = table_.nodes;
    const auto count = static_cast<std::int32_t>(nodes.size());
    if (count == 0) {
        root_ = -1;
        return 0;
    }
    // Every node once, reached from the root, keys rising from left to right.
    std::vector<char> seen(nodes.size(), 0);
    std::vector<std::pair<std::int32_t, int>> stack;  // node, depth
    std::int32_t node = root_, previous = -1, visited = 0;
    int depth = 1, height = 0;
    while (node != -1 || !stack.empty()) {
        for (; node != -1; node = nodes[node].left, ++depth) {
            if (node < 0 || node >= count || seen[node]) return -1;
            seen[node] = 1;
            stack.emplace_back(node, depth);
        }
        std::tie(node, depth) = stack.back();
        stack.pop_back();
        height = std::max(height, depth);
        if (previous >= 0) {
            const StoreNode &a = nodes[previous], &b = nodes[node];
            const bool rising = a.keyPrefix != b.keyPrefix
                                    ? a.keyPrefix < b.keyPrefix
                                    : CompareKeys(table_.keyOf(previous), table_.keyOf(node)) < 0;
            if (!rising) return -1;
        }
        previous = node;
        ++visited;
        node = nodes[node].right;
        ++depth;
    }
    if (visited != count) return -1;
    nodes[root_].parent = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        for (std::int32_t child : {nodes[i].left, nodes[i].right}) {
            if (child >= 0) nodes[child].parent = i;
        }
    }
    return height;
}

void StringMap::DropDuplicateKeys() {
    std::vector<std::int32_t> order(table_.nodes.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [this](std::int32_t a, std::int32_t b) {
        return CompareKeys(table_.keyOf(a), table_.keyOf(b)) < 0;
    });
    std::vector<char> keep(table_.nodes.size(), 1);
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (CompareKeys(table_.keyOf(order[i - 1]), table_.keyOf(order[i])) == 0) {
            keep[order[i]] = 0;
        }
    }
    StoreTable kept;
    for (std::size_t i = 0; i < table_.nodes.size(); ++i) {
        if (keep[i])
            kept.add(table_.keyOf(i), std::move(table_.texts[i]), table_.nodes[i].position);
    }
    table_ = std::move(kept);
}

void StringMap::NumberByLevel() {
    auto& nodes = table_.nodes;
    if (root_ < 0) return;
    std::vector<std::int32_t> order{root_};  // old node numbers, level by level
    order.reserve(nodes.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (std::int32_t child : {nodes[order[i]].left, nodes[order[i]].right}) {
            if (child >= 0) order.push_back(child);
        }
    }
    std::vector<std::int32_t> renumbered(nodes.size(), -1);
    for (std::size_t i = 0; i < order.size(); ++i)
        renumbered[order[i]] = static_cast<std::int32_t>(i);
    auto to = [&renumbered](std::int32_t old) { return old < 0 ? -1 : renumbered[old]; };
    std::vector<StoreNode> newNodes(order.size());
    std::vector<std::string> newTexts(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        StoreNode node = nodes[order[i]];
        node.left = to(node.left);
        node.right = to(node.right);
        node.parent = to(node.parent);
        newNodes[i] = node;
        newTexts[i] = std::move(table_.texts[order[i]]);
    }
    nodes = std::move(newNodes);
    table_.texts = std::move(newTexts);
    root_ = 0;
}

bool StringMap::ReopenIndexedFile() {
    if (openPath_.empty()) return false;
    file_.open(openPath_, std::ios::binary);
    return file_.is_open();
}

void StringMap::CloseFile() {
    if (file_.is_open()) file_.close();
    file_.clear();
}

void StringMap::ThrowCorrupt() const {
    throw CorruptStoreError("Corrupt data file " + QuotedName(fileName_));
}

void TellInterpretationFilesMissing(Messages& messages) {
    messages.show("Warning!", "Please load interpretation files 8/9 before click here.",
                  MessageIcon::Exclamation);
}

std::string RtfEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\par ";
        } else if (c == '\n') {
            out += "\\par ";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\'";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

}  // namespace quintaro
