// SPDX-License-Identifier: AGPL-3.0-or-later
// The store file layout, checked against files assembled byte by byte here.
#include <gtest/gtest.h>

#include "interps/string_map.h"
#include "store_bytes.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::FileBytes;
using test::StoreBytes;
using test::TempFolder;

const std::string PlainSignature("\x01\x00\x53\x4D", 4);    // 0x4D530001
const std::string IndexedSignature("\x01\x00\x53\x49", 4);  // 0x49530001

// "mars" at the root, "apple" left of it, "zebra" right: the tree that inserting mars, apple,
// zebra in this order gives.
StoreBytes ThreeKeyPlainStore() {
    StoreBytes bytes;
    bytes.text(PlainSignature).i32(3).i32(0);
    bytes.plainNode(1, 2, -1, "mars", "red");
    bytes.plainNode(-1, -1, 0, "apple", "fruit");
    bytes.plainNode(-1, -1, 0, "zebra", "stripes");
    return bytes;
}

// The same tree as an indexed store: the texts in node order after the 20-byte header, then
// 8 bytes at P and the node table.
StoreBytes ThreeKeyIndexedStore() {
    StoreBytes bytes;
    bytes.text(IndexedSignature).i32(3).i32(0).i32(47).i32(27);
    bytes.i32(3).text("red").i32(5).text("fruit").i32(7).text("stripes");
    bytes.zeros(8);
    bytes.indexedNode(1, 2, -1, "mars", 20);
    bytes.indexedNode(-1, -1, 0, "apple", 27);
    bytes.indexedNode(-1, -1, 0, "zebra", 36);
    return bytes;
}

StringMap ThreeKeyStore() {
    StringMap store;
    store.SetAt("mars", "red");
    store.SetAt("apple", "fruit");
    store.SetAt("zebra", "stripes");
    return store;
}

TEST(StoreLayout, APlainStoreBuiltByHandReadsWithKeysInAnyCase) {
    TempFolder folder;
    const auto path = folder.path() / "plain.dat";
    ThreeKeyPlainStore().writeTo(path);
    StringMap store;
    ASSERT_TRUE(store.OpenFile(path)) << store.LastError();
    EXPECT_FALSE(store.Indexed());
    EXPECT_FALSE(store.IsModified());
    EXPECT_EQ(store.FileName(), path);
    EXPECT_EQ(store.Count(), 3);
    EXPECT_EQ(store.GetAt("APPLE"), "fruit");
    EXPECT_EQ(store.GetAt("Mars"), "red");
    EXPECT_EQ(store.GetAt("zebra"), "stripes");
    EXPECT_EQ(store.GetAt("zebr"), "");
    EXPECT_FALSE(store.Lookup("apples"));
    std::string text;
    EXPECT_TRUE(store.Lookup("ZeBrA", &text));
    EXPECT_EQ(text, "stripes");
}

TEST(StoreLayout, AnIndexedStoreBuiltByHandReadsItsTextsFromTheFile) {
    TempFolder folder;
    const auto path = folder.path() / "indexed.dat";
    // Texts out of node order, with a released record (junk) between them.
    StoreBytes bytes;
    bytes.text(IndexedSignature).i32(2).i32(1).i32(46).i32(26);
    bytes.i32(4).text("late").i32(5).text("xxxxx").i32(5).text("early");
    bytes.zeros(8);
    bytes.indexedNode(-1, -1, 1, "alpha", 37);
    bytes.indexedNode(0, -1, -1, "beta", 20);
    bytes.writeTo(path);
    StringMap store;
    ASSERT_TRUE(store.OpenFile(path)) << store.LastError();
    EXPECT_TRUE(store.Indexed());
    EXPECT_EQ(store.GetAt("alpha"), "early");
    EXPECT_EQ(store.GetAt("BETA"), "late");
}

TEST(StoreLayout, TheWriterLaysOutBothKindsByteForByte) {
    TempFolder folder;
    StringMap plain = ThreeKeyStore();
    plain.SetFileName(folder.path() / "plain.dat");
    ASSERT_TRUE(plain.WriteFile()) << plain.LastError();
    EXPECT_EQ(FileBytes(folder.path() / "plain.dat"), ThreeKeyPlainStore().str());
    EXPECT_FALSE(plain.IsModified());

    StringMap indexed = ThreeKeyStore();
    indexed.SetIndexed(true);
    indexed.SetFileName(folder.path() / "indexed.dat");
    ASSERT_TRUE(indexed.WriteFile()) << indexed.LastError();
    EXPECT_EQ(FileBytes(folder.path() / "indexed.dat"), ThreeKeyIndexedStore().str());
    // After writing, the texts come from the file it now keeps open.
    EXPECT_EQ(indexed.GetAt("zebra"), "stripes");
}

TEST(StoreLayout, AnEmptyStoreOpensAndAnswersEveryKeyWithAnEmptyText) {
    TempFolder folder;
    struct Case {
        const char* name;
        StoreBytes bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"plain, root 0", StoreBytes().text(PlainSignature).i32(0).i32(0)});
    cases.push_back({"plain, root -1", StoreBytes().text(PlainSignature).i32(0).i32(-1)});
    cases.push_back(
        {"indexed", StoreBytes().text(IndexedSignature).i32(0).i32(-1).i32(20).i32(0).zeros(8)});
    for (const Case& c : cases) {
        const auto path = folder.path() / "empty.dat";
        c.bytes.writeTo(path);
        StringMap store;
        EXPECT_TRUE(store.OpenFile(path)) << c.name << ": " << store.LastError();
        EXPECT_EQ(store.Count(), 0) << c.name;
        EXPECT_EQ(store.GetAt("sun_ven_flowing"), "") << c.name;
        EXPECT_TRUE(store.Keys().empty()) << c.name;
    }
}

TEST(StoreLayout, AnEmptyStoreIsWrittenWithRootMinusOne) {
    TempFolder folder;
    StringMap store;
    store.SetFileName(folder.path() / "empty.dat");
    ASSERT_TRUE(store.WriteFile());
    EXPECT_EQ(FileBytes(folder.path() / "empty.dat"),
              StoreBytes().text(PlainSignature).i32(0).i32(-1).str());
}

TEST(StoreLayout, AFileThatIsNoStoreLeavesTheStoreEmptyAndSaysWhy) {
    struct Case {
        const char* name;
        StoreBytes bytes;
        const char* reason;
    };
    const StoreBytes oneNode = StoreBytes().plainNode(-1, -1, -1, "a", "b");
    std::vector<Case> cases = {
        {"wrong signature", StoreBytes().text(std::string("\x02\x00SM", 4)).i32(0).i32(0),
         "wrong signature"},
        {"text file", StoreBytes().text("#sun_ven_flowing\nWarm.\n"), "wrong signature"},
        {"count -1", StoreBytes().text(PlainSignature).i32(-1).i32(0), "claims -1 entries"},
        {"count 1000001", StoreBytes().text(PlainSignature).i32(1000001).i32(0),
         "claims 1000001 entries"},
        {"short header", StoreBytes().text(PlainSignature).i32(1), "too short"},
        {"short indexed header", StoreBytes().text(IndexedSignature).i32(0).i32(0).i32(20),
         "too short"},
        {"table inside the header",
         StoreBytes().text(IndexedSignature).i32(0).i32(0).i32(12).i32(0), "inside the header"},
        {"a million entries, one present",
         StoreBytes().text(PlainSignature).i32(1000000).i32(0).text(oneNode.str()),
         "ends inside node 1 of 1000000"},
        {"negative key length",
         StoreBytes().text(PlainSignature).i32(1).i32(0).i32(-1).i32(-1).i32(-1).i16(-3),
         "negative key length"},
        {"negative text length",
         StoreBytes()
             .text(PlainSignature)
             .i32(1)
             .i32(0)
             .i32(-1)
             .i32(-1)
             .i32(-1)
             .i16(1)
             .text("k")
             .i16(-1),
         "negative text length"},
        {"text beyond the end",
         StoreBytes()
             .text(PlainSignature)
             .i32(1)
             .i32(0)
             .i32(-1)
             .i32(-1)
             .i32(-1)
             .i16(1)
             .text("k")
             .i16(40)
             .text("short"),
         "ends inside node 0"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const auto path = folder.path() / "bad.dat";
        c.bytes.writeTo(path);
        StringMap store = ThreeKeyStore();
        EXPECT_FALSE(store.OpenFile(path)) << c.name;
        EXPECT_EQ(store.Count(), 0) << c.name;
        EXPECT_EQ(store.GetAt("mars"), "") << c.name;
        EXPECT_NE(store.LastError().find(c.reason), std::string::npos)
            << c.name << ": " << store.LastError();
        EXPECT_NE(store.LastError().find(path.string()), std::string::npos) << c.name;
    }
    StringMap store;
    EXPECT_FALSE(store.OpenFile(folder.path() / "missing.dat"));
    EXPECT_NE(store.LastError().find("Cannot open"), std::string::npos);
}

TEST(StoreLayout, ABadRootOrLinkOrTreeIsRebuiltFromTheKeys) {
    struct Case {
        const char* name;
        int root;
        std::array<std::array<int, 3>, 3> links;  // left, right, parent of nodes 0..2
        std::array<const char*, 3> keys;
    };
    const std::vector<Case> cases = {
        {"root equals count", 3, {{{1, 2, -1}, {-1, -1, 0}, {-1, -1, 0}}}, {"m", "a", "z"}},
        {"root below -1", -2, {{{1, 2, -1}, {-1, -1, 0}, {-1, -1, 0}}}, {"m", "a", "z"}},
        {"left link equals count", 0, {{{3, 2, -1}, {-1, -1, 0}, {-1, -1, 0}}}, {"m", "a", "z"}},
        {"right link below -1", 0, {{{1, -7, -1}, {-1, -1, 0}, {-1, -1, 0}}}, {"m", "a", "z"}},
        {"third link past the table",
         0,
         {{{1, 2, -1}, {-1, -1, 99}, {-1, -1, 0}}},
         {"m", "a", "z"}},
        {"a cycle", 0, {{{1, 2, -1}, {0, -1, 0}, {-1, -1, 0}}}, {"m", "a", "z"}},
        {"keys out of order", 0, {{{1, 2, -1}, {-1, -1, 0}, {-1, -1, 0}}}, {"m", "z", "a"}},
        {"a node out of the tree", 0, {{{1, -1, -1}, {-1, -1, 0}, {-1, -1, -1}}}, {"m", "a", "z"}},
        {"a node reached twice", 0, {{{1, 1, -1}, {-1, -1, 0}, {-1, -1, -1}}}, {"m", "a", "z"}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        StoreBytes bytes;
        bytes.text(PlainSignature).i32(3).i32(c.root);
        for (int i = 0; i < 3; ++i) {
            bytes.plainNode(c.links[i][0], c.links[i][1], c.links[i][2], c.keys[i],
                            std::string("text of ") + c.keys[i]);
        }
        const auto path = folder.path() / "tree.dat";
        bytes.writeTo(path);
        StringMap store;
        ASSERT_TRUE(store.OpenFile(path)) << c.name;
        EXPECT_NE(store.LastError().find("rebuilt"), std::string::npos) << c.name;
        EXPECT_EQ(store.Keys(), (std::vector<std::string>{"a", "m", "z"})) << c.name;
        EXPECT_EQ(store.Height(), 2) << c.name;
        for (const char* key : {"a", "m", "z"}) {
            EXPECT_EQ(store.GetAt(key), std::string("text of ") + key) << c.name;
        }
    }
}

TEST(StoreLayout, KeysThatDifferOnlyInCaseAreOneKeyAfterARebuild) {
    TempFolder folder;
    StoreBytes bytes;
    bytes.text(PlainSignature).i32(3).i32(3);  // root out of range
    bytes.plainNode(-1, -1, -1, "Venus", "first");
    bytes.plainNode(-1, -1, -1, "VENUS", "second");
    bytes.plainNode(-1, -1, -1, "mars", "third");
    bytes.writeTo(folder.path() / "twice.dat");
    StringMap store;
    ASSERT_TRUE(store.OpenFile(folder.path() / "twice.dat"));
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.GetAt("venus"), "first");
    EXPECT_EQ(store.GetAt("mars"), "third");
}

TEST(StoreLayout, AStoreWrittenAsAChainOpensBalanced) {
    TempFolder folder;
    StoreBytes bytes;
    const int count = 1000;
    bytes.text(PlainSignature).i32(count).i32(0);
    for (int i = 0; i < count; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "k%04d", i);
        bytes.plainNode(-1, i + 1 < count ? i + 1 : -1, i - 1, key, key);
    }
    bytes.writeTo(folder.path() / "chain.dat");
    StringMap store;
    ASSERT_TRUE(store.OpenFile(folder.path() / "chain.dat"));
    EXPECT_TRUE(store.LastError().empty());
    EXPECT_EQ(store.Height(), 10);  // 1000 keys fill 10 levels
    EXPECT_EQ(store.GetAt("K0999"), "k0999");
}

TEST(StoreLayout, AnUnreadableTextOfAnIndexedStoreIsACorruptDataFile) {
    struct Case {
        const char* name;
        std::int64_t position;
    };
    // Data area: a good record at 20 ("good"), a zero length at 28, a record claiming 50 bytes
    // at 32 (the area ends at 40), a negative length at 36.
    StoreBytes data;
    data.i32(4).text("good").i32(0).i32(50).i32(-4);
    const std::vector<Case> cases = {{"zero length", 28},     {"past the data area", 32},
                                     {"negative length", 36}, {"inside the header", 4},
                                     {"at the table", 40},    {"past the end of the file", 5000}};
    TempFolder folder;
    const auto path = folder.path() / "corrupt.dat";
    for (const Case& c : cases) {
        StoreBytes bytes;
        bytes.text(IndexedSignature).i32(2).i32(0).i32(40).i32(20).text(data.str()).zeros(8);
        bytes.indexedNode(-1, 1, -1, "fine", 20);
        bytes.indexedNode(-1, -1, 0, "broken", c.position);
        bytes.writeTo(path);
        StringMap store;
        ASSERT_TRUE(store.OpenFile(path)) << c.name;
        EXPECT_EQ(store.GetAt("fine"), "good") << c.name;
        EXPECT_TRUE(store.Lookup("broken")) << c.name;
        try {
            store.GetAt("broken");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const CorruptStoreError& error) {
            EXPECT_EQ(std::string(error.what()), "Corrupt data file '" + path.string() + "'")
                << c.name;
        }
    }
}

}  // namespace
}  // namespace quintaro
