// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_folder.h"

namespace quintaro {
namespace {

ino_t Inode(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

std::string Bytes(const std::filesystem::path& path) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text)) << path;
    return text;
}

bool OnlyFilesAre(const std::filesystem::path& folder, std::size_t count) {
    std::size_t found = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++found;
    return found == count;
}

TEST(WriteFileIfChanged, WritesOnlyWhatDiffers) {
    test::TempFolder folder;
    const auto file = folder.path() / "settings.ini";
    EXPECT_EQ(WriteFileIfChanged(file, "a=1\n"), "");  // missing: created
    EXPECT_EQ(Bytes(file), "a=1\n");
    const ino_t first = Inode(file);
    EXPECT_EQ(WriteFileIfChanged(file, "a=1\n"), "");
    EXPECT_EQ(Inode(file), first);  // the same text: not replaced
    EXPECT_EQ(WriteFileIfChanged(file, "a=2\n"), "");
    EXPECT_NE(Inode(file), first);
    EXPECT_EQ(Bytes(file), "a=2\n");
    EXPECT_EQ(WriteFileIfChanged(file, "a=2\n\n"), "");  // a longer text is no match either
    EXPECT_EQ(Bytes(file), "a=2\n\n");
    EXPECT_TRUE(OnlyFilesAre(folder.path(), 1));
    // A file that cannot be written is reported.
    EXPECT_NE(WriteFileIfChanged(folder.path() / "none" / "x", "y"), "");
}

TEST(CopyFileAtomically, CopiesEveryByteAndLeavesNoTemporaryFile) {
    test::TempFolder folder;
    std::string content;
    for (int i = 0; i < 200000; ++i) content += static_cast<char>(i * 31 % 256);
    ASSERT_EQ(WriteFileAtomically(folder.path() / "from.dat", content), "");
    ASSERT_EQ(WriteFileAtomically(folder.path() / "to.dat", "old"), "");
    EXPECT_EQ(CopyFileAtomically(folder.path() / "from.dat", folder.path() / "to.dat"), "");
    EXPECT_EQ(Bytes(folder.path() / "to.dat"), content);
    EXPECT_TRUE(OnlyFilesAre(folder.path(), 2));

    // A source that cannot be read leaves the target as it was.
    EXPECT_NE(CopyFileAtomically(folder.path() / "missing.dat", folder.path() / "to.dat"), "");
    EXPECT_EQ(Bytes(folder.path() / "to.dat"), content);
    EXPECT_TRUE(OnlyFilesAre(folder.path(), 2));
}

}  // namespace
}  // namespace quintaro
