// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/string_map.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/atomic_file.h"

namespace quintaro {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

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

int CompareKeys(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = Lower(a[i]), y = Lower(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

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
    if (nodes_.empty()) {
        messages.show("Warning!", "Please load interpretation files 8/9 before click here.",
                      MessageIcon::Exclamation);
        return {};
    }
    const auto key = StoreKeyOfAspect(asp, mode);
    return key ? GetAt_Decrypt(*key) : std::string();
}

void StringMap::Clear() {
    if (!nodes_.empty()) modified_ = true;
    nodes_.clear();
    root_ = -1;
    CloseFile();
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
    std::vector<std::int32_t> order(nodes_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [this](std::int32_t a, std::int32_t b) {
        return CompareKeys(nodes_[a].key, nodes_[b].key) < 0;
    });
    root_ = BuildBalanced(order, 0, order.size(), -1);
}

bool StringMap::SetAt(std::string_view key, std::string_view data) {
    if (key.empty()) {
        lastError_ = "the key is empty";
        return false;
    }
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
        Insert(std::string(key), std::string(data));
        modified_ = true;
        return true;
    }
    StoreNode& node = nodes_[static_cast<std::size_t>(found)];
    bool same = false;
    try {
        same = CompareKeys(TextOf(static_cast<std::size_t>(found)), data) == 0;
    } catch (const CorruptStoreError&) {
        // An unreadable old text is replaced like any other.
    }
    if (!same) {
        node.data = std::string(data);
        node.position = 0;  // the old record is left out of the next file
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
                nodes_, root_, [this](std::size_t i) { return TextOf(i); }, positions);
            if (!bytes) {
                lastError_ = "the store would pass 2 GB";
                return false;
            }
            image = std::move(*bytes);
        } else {
            for (const StoreNode& node : nodes_) {
                if (node.data.size() > MaxStoreTextLength) {
                    lastError_ = "the text of '" + node.key +
                                 "' is too long for a plain store (32767 characters)";
                    return false;
                }
            }
            image = PlainStoreBytes(nodes_, root_);
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
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            nodes_[i].position = positions[i];
            if (positions[i] != 0) std::string().swap(nodes_[i].data);
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
    CloseFile();
    nodes_.clear();
    root_ = -1;
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
    nodes_ = std::move(table->nodes);
    root_ = header->root;
    indexed_ = header->indexed;
    dataEnd_ = header->tablePosition;
    fileName_ = path;
    if (table->needsRebuild || !LinkParents()) {
        DropDuplicateKeys();
        ReBalance();
        lastError_ = "The tree of " + QuotedName(path) + " was damaged and has been rebuilt";
    } else if (Height() > HeightBound(nodes_.size()) + 1) {
        ReBalance();
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
        std::vector<std::string> texts(nodes_.size());
        for (std::size_t i = 0; i < nodes_.size(); ++i) texts[i] = TextOf(i);
        for (std::size_t i = 0; i < nodes_.size(); ++i) {
            nodes_[i].data = std::move(texts[i]);
            nodes_[i].position = 0;
        }
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
    keys.reserve(nodes_.size());
    std::vector<std::int32_t> stack;
    std::int32_t node = root_;
    while (node >= 0 || !stack.empty()) {
        for (; node >= 0; node = nodes_[node].left) stack.push_back(node);
        node = stack.back();
        stack.pop_back();
        keys.push_back(nodes_[node].key);
        node = nodes_[node].right;
    }
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
        for (std::int32_t child : {nodes_[node].left, nodes_[node].right}) {
            if (child >= 0) stack.emplace_back(child, depth + 1);
        }
    }
    return height;
}

std::int32_t StringMap::Find(std::string_view key) const {
    std::int32_t node = root_;
    while (node >= 0) {
        const int order = CompareKeys(key, nodes_[node].key);
        if (order == 0) return node;
        node = order < 0 ? nodes_[node].left : nodes_[node].right;
    }
    return -1;
}

std::string StringMap::TextOf(std::size_t node) const {
    const StoreNode& entry = nodes_[node];
    return indexed_ && entry.position != 0 ? ReadTextRecord(entry.position) : entry.data;
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

void StringMap::Insert(std::string key, std::string data) {
    const auto added = static_cast<std::int32_t>(nodes_.size());
    StoreNode node;
    node.key = std::move(key);
    node.data = std::move(data);
    nodes_.push_back(std::move(node));
    if (root_ < 0) {
        root_ = added;
        return;
    }
    std::int32_t parent = root_;
    int depth = 1;
    for (;; ++depth) {
        const bool left = CompareKeys(nodes_[added].key, nodes_[parent].key) < 0;
        std::int32_t& child = left ? nodes_[parent].left : nodes_[parent].right;
        if (child < 0) {
            child = added;
            break;
        }
        parent = child;
    }
    nodes_[added].parent = parent;
    if (depth <= HeightBound(nodes_.size())) return;
    // Too deep: rebuild the lowest ancestor whose one side outweighs two thirds of it.
    std::size_t size = 1;
    for (std::int32_t below = added, above = parent; above >= 0;
         below = above, above = nodes_[above].parent) {
        const std::int32_t sibling =
            nodes_[above].left == below ? nodes_[above].right : nodes_[above].left;
        const std::size_t aboveSize = 1 + size + SubtreeOrder(sibling).size();
        if (3 * size > 2 * aboveSize) {
            RebuildSubtree(above);
            return;
        }
        size = aboveSize;
    }
    ReBalance();
}

std::vector<std::int32_t> StringMap::SubtreeOrder(std::int32_t top) const {
    std::vector<std::int32_t> order, stack;
    std::int32_t node = top;
    while (node >= 0 || !stack.empty()) {
        for (; node >= 0; node = nodes_[node].left) stack.push_back(node);
        node = stack.back();
        stack.pop_back();
        order.push_back(node);
        node = nodes_[node].right;
    }
    return order;
}

std::int32_t StringMap::BuildBalanced(std::vector<std::int32_t>& order, std::size_t from,
                                      std::size_t to, std::int32_t parent) {
    if (from >= to) return -1;
    const std::size_t middle = from + (to - from) / 2;
    const std::int32_t node = order[middle];
    nodes_[node].parent = parent;
    nodes_[node].left = BuildBalanced(order, from, middle, node);
    nodes_[node].right = BuildBalanced(order, middle + 1, to, node);
    return node;
}

void StringMap::RebuildSubtree(std::int32_t top) {
    const std::int32_t parent = nodes_[top].parent;
    std::vector<std::int32_t> order = SubtreeOrder(top);
    const std::int32_t rebuilt = BuildBalanced(order, 0, order.size(), parent);
    if (parent < 0) {
        root_ = rebuilt;
    } else if (nodes_[parent].left == top) {
        nodes_[parent].left = rebuilt;
    } else {
        nodes_[parent].right = rebuilt;
    }
}

bool StringMap::LinkParents() {
    const auto count = static_cast<std::int32_t>(nodes_.size());
    if (count == 0) {
        root_ = -1;
        return true;
    }
    // Every node once, reached from the root, keys rising from left to right.
    std::vector<char> seen(nodes_.size(), 0);
    std::vector<std::int32_t> stack;
    std::int32_t node = root_;
    std::int32_t previous = -1, visited = 0;
    while (node != -1 || !stack.empty()) {
        for (; node != -1; node = nodes_[node].left) {
            if (node < 0 || node >= count || seen[node]) return false;
            seen[node] = 1;
            stack.push_back(node);
        }
        node = stack.back();
        stack.pop_back();
        if (previous >= 0 && CompareKeys(nodes_[previous].key, nodes_[node].key) >= 0) {
            return false;
        }
        previous = node;
        ++visited;
        node = nodes_[node].right;
    }
    if (visited != count) return false;
    nodes_[root_].parent = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        for (std::int32_t child : {nodes_[i].left, nodes_[i].right}) {
            if (child >= 0) nodes_[child].parent = i;
        }
    }
    return true;
}

void StringMap::DropDuplicateKeys() {
    std::vector<std::int32_t> order(nodes_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
    std::stable_sort(order.begin(), order.end(), [this](std::int32_t a, std::int32_t b) {
        return CompareKeys(nodes_[a].key, nodes_[b].key) < 0;
    });
    std::vector<char> keep(nodes_.size(), 1);
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (CompareKeys(nodes_[order[i - 1]].key, nodes_[order[i]].key) == 0) keep[order[i]] = 0;
    }
    std::vector<StoreNode> kept;
    kept.reserve(nodes_.size());
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (keep[i]) kept.push_back(std::move(nodes_[i]));
    }
    nodes_ = std::move(kept);
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
