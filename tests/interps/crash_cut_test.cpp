// SPDX-License-Identifier: AGPL-3.0-or-later
// A store being written survives a crash at any moment: the write is cut after every step and
// byte, and the file must then open with either its old or its new content.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>

#include "core/atomic_file.h"
#include "interps/string_map.h"
#include "store_bytes.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::FileBytes;
using test::TempFolder;
using Content = std::map<std::string, std::string>;

// Writes like the atomic helper does, but the process "dies" once its budget of bytes is spent:
// the temporary file then holds what was written so far and the target is never touched. With
// budget for every byte the project's atomic helper does the write.
struct DyingWriter {
    std::optional<std::size_t> budget;  // bytes it may write; none: no limit

    std::string operator()(const std::filesystem::path& path, std::string_view content) const {
        if (!budget || *budget > content.size()) return WriteFileAtomically(path, content);
        std::filesystem::path temp = path;
        temp += ".tmp-died";
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(*budget));
        return "the process died";
    }
};

// Writes over the target in place, as a store must not: cut short, it leaves a torn file.
struct InPlaceWriter {
    std::size_t budget;

    std::string operator()(const std::filesystem::path& path, std::string_view content) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(std::min(budget, content.size())));
        return budget < content.size() ? "the process died" : "";
    }
};

const Content OldContent = {{"asc_mc_conjunction", "Old angles."},
                            {"sun_moo_flowing", "Old lights."},
                            {"ven_mar_challenging", "Old friction."},
                            {"jup_sat_minor", "Old and unchanged."}};
const Content NewContent = {{"asc_mc_conjunction", "New angles, longer than before."},
                            {"sun_moo_flowing", "New."},
                            {"ven_mar_challenging", "Old friction."},
                            {"jup_sat_minor", "Old and unchanged."},
                            {"chi_nod_parallel", "A new entry."}};

std::optional<Content> ContentOf(const std::filesystem::path& path) {
    StringMap store;
    if (!store.OpenFile(path)) return std::nullopt;
    Content content;
    try {
        for (const std::string& key : store.Keys()) content[key] = store.GetAt(key);
    } catch (const CorruptStoreError&) {
        return std::nullopt;
    }
    return content;
}

void Fill(StringMap& store, const Content& content) {
    for (const auto& [key, text] : content) store.SetAt(key, text);
}

// The old file (when there is one) and the image the changed store writes.
struct Scenario {
    bool indexed;
    bool oldFileExists;
};

std::string Describe(const Scenario& s, std::size_t cut) {
    return std::string(s.indexed ? "indexed" : "plain") +
           (s.oldFileExists ? ", replacing" : ", creating") + ", cut after " + std::to_string(cut) +
           " bytes";
}

TEST(CrashCut, AStoreCutAtAnyByteOpensWithItsOldOrNewContent) {
    for (Scenario scenario : {Scenario{false, true}, Scenario{true, true}, Scenario{false, false},
                              Scenario{true, false}}) {
        TempFolder folder;
        const auto path = folder.path() / "store.dat";
        // The old file, kept aside, and the size of the new image, from an uncut write.
        const auto oldCopy = folder.path() / "old.dat";
        std::size_t imageSize = 0;
        {
            StringMap old;
            old.SetIndexed(scenario.indexed);
            Fill(old, OldContent);
            old.SetFileName(oldCopy);
            ASSERT_TRUE(old.WriteFile());
            Fill(old, NewContent);
            old.SetFileName(folder.path() / "probe.dat");
            ASSERT_TRUE(old.WriteFile());
            imageSize = FileBytes(folder.path() / "probe.dat").size();
        }
        const std::string oldBytes = scenario.oldFileExists ? FileBytes(oldCopy) : "";
        // Cuts 0..imageSize die before the rename; one more byte of budget lets it finish.
        for (std::size_t cut = 0; cut <= imageSize + 1; ++cut) {
            const std::string where = Describe(scenario, cut);
            std::filesystem::remove(path);
            if (scenario.oldFileExists) std::filesystem::copy_file(oldCopy, path);
            DyingWriter writer{cut};
            StringMap store([&writer](const auto& p, auto c) { return writer(p, c); });
            if (scenario.oldFileExists) {
                ASSERT_TRUE(store.OpenFile(path)) << where;
            } else {
                store.SetFileName(path);
                store.SetIndexed(scenario.indexed);
            }
            Fill(store, NewContent);

            const bool written = store.WriteFile();
            const auto onDisk = ContentOf(path);
            if (written) {
                EXPECT_EQ(cut, imageSize + 1) << where;
                EXPECT_EQ(onDisk, NewContent) << where;
                EXPECT_FALSE(store.IsModified()) << where;
                continue;
            }
            // Died: the target is as it was, byte for byte.
            if (scenario.oldFileExists) {
                EXPECT_EQ(FileBytes(path), oldBytes) << where;
                EXPECT_EQ(onDisk, OldContent) << where;
            } else {
                EXPECT_FALSE(std::filesystem::exists(path)) << where;
            }
            // The store in memory still holds the new content, its texts still readable, and
            // the next write goes through (tried now and then: each write waits for the disk).
            EXPECT_TRUE(store.IsModified()) << where;
            EXPECT_EQ(store.LastError(),
                      "Could not write '" + path.string() + "': the process died");
            for (const auto& [key, text] : NewContent) EXPECT_EQ(store.GetAt(key), text) << where;
            if (cut % 64 != 0 && cut != imageSize) continue;
            writer.budget.reset();
            ASSERT_TRUE(store.WriteFile()) << where << ": " << store.LastError();
            EXPECT_EQ(ContentOf(path), NewContent) << where;
        }
    }
}

// The check above would notice a store that wrote over its file in place.
TEST(CrashCut, ATornInPlaceWriteIsNeitherOldNorNew) {
    TempFolder folder;
    const auto path = folder.path() / "store.dat";
    int torn = 0;
    const auto oldCopy = folder.path() / "old.dat";
    StringMap old;
    Fill(old, OldContent);
    old.SetFileName(oldCopy);
    ASSERT_TRUE(old.WriteFile());
    for (std::size_t cut = 0; cut < 200; cut += 7) {
        std::filesystem::copy_file(oldCopy, path,
                                   std::filesystem::copy_options::overwrite_existing);
        StringMap store(InPlaceWriter{cut});
        ASSERT_TRUE(store.OpenFile(path));
        Fill(store, NewContent);
        store.WriteFile();
        const auto onDisk = ContentOf(path);
        if (onDisk != OldContent && onDisk != NewContent) ++torn;
    }
    EXPECT_GT(torn, 20);
}

}  // namespace
}  // namespace quintaro
