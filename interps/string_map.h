// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "interps/interpretation_keys.h"
#include "interps/store_file.h"
#include "interps/text_import.h"

namespace quintaro {

// Raised when a text of an indexed store cannot be read: "Corrupt data file '" + file + "'".
class CorruptStoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How a store file reaches the disk: (path, whole content) → "" or the reason it failed. The
// default writes a temporary file and renames it over the target, so a store is always found
// with either its old or its new content.
using StoreFileWriter =
    std::function<std::string(const std::filesystem::path&, std::string_view content)>;

// A keyed text store: a binary search tree of texts under keys that compare without regard to
// (ASCII) letter case, read from and written to a store file. A plain store holds its texts in
// memory; an indexed store keeps its file open and reads a text when it is asked for.
//
// The prepared texts of this system are stored in the clear, so the "_Decrypt" accessors return
// the stored text itself (the "_RTF" forms escape it for a rich-text document).
class StringMap {
  public:
    explicit StringMap(StoreFileWriter writer = {});
    ~StringMap();
    StringMap(StringMap&&) noexcept;
    StringMap& operator=(StringMap&&) noexcept;
    StringMap(const StringMap&) = delete;
    StringMap& operator=(const StringMap&) = delete;

    // GetAt_Decrypt, escaped for a rich-text document.
    std::string GetAt_Decrypt_RTF(std::string_view key) const;
    // The paragraph for aspect key asp ("sun_ven_120") in a report mode, escaped for a rich-text
    // document; see Interpretation_Decrypt.
    std::string Interpretation_Decrypt_RTF(std::string_view asp, ReportMode mode,
                                           Messages& messages) const;
    // The paragraph for aspect key asp in a report mode (see interpretation_keys.h), or "" when
    // the store has none. An empty store has not been loaded: the user is told "Please load
    // interpretation files 8/9 before click here.".
    std::string Interpretation_Decrypt(std::string_view asp, ReportMode mode,
                                       Messages& messages) const;
    // Empties the store (file name and kind stay).
    void Clear();
    // The text under the key, "" when the key is absent. Throws CorruptStoreError.
    std::string GetAt(std::string_view key) const;
    // Whether the key is present; fills data with its text when given. Throws CorruptStoreError.
    bool Lookup(std::string_view key, std::string* data = nullptr) const;
    // Rebuilds the tree so that it is balanced (it needs no valid links to start from).
    void ReBalance();
    // Stores the text under the key. A present key keeps its text when the new one is the same
    // without regard to case; otherwise the text is replaced (an indexed store releases the old
    // record: the next WriteFile leaves it out) and the store counts as modified. False, with
    // LastError, for a key or text over 32767 bytes, or a full store.
    bool SetAt(std::string_view key, std::string_view data);
    bool IsModified() const { return modified_; }
    void SetIsModified(bool modified) { modified_ = modified; }
    // Writes the whole store to its file, whole or not at all. False, with LastError, when it
    // has no file name or the file cannot be written; the store then stays as it was.
    bool WriteFile();
    // Reads a store file. True when the file exists and has a valid header; the store is then
    // the file's content, its file name the path, and it is not modified. Otherwise the store is
    // empty and LastError says why; the caller sets the file name and the modified flag when the
    // next WriteFile is to create the file.
    bool OpenFile(const std::filesystem::path& path);
    const std::filesystem::path& FileName() const { return fileName_; }
    void SetFileName(const std::filesystem::path& path) { fileName_ = path; }
    // Reads a text file of entries into the store (rules in text_import.h).
    ImportResult ImportAscii(const std::filesystem::path& path);
    bool Indexed() const { return indexed_; }
    // Switching to plain reads every text into memory (and may throw CorruptStoreError);
    // switching to indexed makes the next WriteFile write an indexed file.
    void SetIndexed(bool indexed);
    // GetAt; the texts are stored in the clear.
    std::string GetAt_Decrypt(std::string_view key) const;

    std::int32_t Count() const { return static_cast<std::int32_t>(table_.nodes.size()); }
    // The keys in key order.
    std::vector<std::string> Keys() const;
    // Why the last OpenFile, SetAt or WriteFile failed; a note when OpenFile rebuilt the tree.
    const std::string& LastError() const { return lastError_; }
    // Height of the tree (0 for an empty store); a balanced tree of n keys is about log2 n high.
    int Height() const;

  private:
    std::int32_t Find(std::string_view key) const;
    std::string TextOf(std::size_t node) const;
    std::string ReadTextRecord(std::int32_t position) const;
    bool Insert(std::string_view key, std::string text);
    std::int32_t BuildBalanced(const std::vector<std::int32_t>& order, std::size_t from,
                               std::size_t to, std::int32_t parent);
    std::vector<std::int32_t> SubtreeOrder(std::int32_t top) const;
    void RebuildSubtree(std::int32_t top);
    // The height of the tree when its links form one search tree over all nodes, with the parent
    // links set; -1 otherwise.
    int CheckTree();
    void DropDuplicateKeys();
    // Renumbers the nodes level by level from the root, so that a look-up's first steps stay
    // within a few cache lines.
    void NumberByLevel();
    bool ReopenIndexedFile();
    void CloseFile();
    [[noreturn]] void ThrowCorrupt() const;

    StoreFileWriter writer_;
    StoreTable table_;
    std::int32_t root_ = -1;
    bool indexed_ = false;
    bool modified_ = false;
    std::filesystem::path fileName_;
    mutable std::ifstream file_;      // an indexed store's open file
    std::filesystem::path openPath_;  // the file file_ reads
    std::int64_t dataEnd_ = 0;        // an indexed store's data area ends here (P)
    std::string lastError_;
};

// Tells the user that the interpretation stores are not loaded: "Please load interpretation files
// 8/9 before click here.".
void TellInterpretationFilesMissing(Messages& messages);

// A text made ready for a rich-text document: "\", "{" and "}" escaped, line breaks as "\par ",
// bytes above 127 as "\'hh".
std::string RtfEscape(std::string_view text);

}  // namespace quintaro
