// SPDX-License-Identifier: AGPL-3.0-or-later
// libFuzzer target for the interpretation store reader: any bytes as a store file. A file that
// opens must give a sound tree over every key, and what it reads must write and read back the
// same in both kinds; nothing may crash or read outside the file.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

#include "interps/string_map.h"

// Stops the run, naming the broken expectation, when it does not hold.
#define CHECK(condition)                                                                       \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace {

std::filesystem::path ScratchFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           ("quintaro-fuzz-store-" + std::to_string(::getpid()) + "-" + name + ".dat");
}

// Writes without waiting for the disk: the fuzzer checks the reader, not the file system. The
// old file is removed first, as some file systems flush a file that is truncated and rewritten.
std::string WriteQuickly(const std::filesystem::path& path, std::string_view content) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return out ? std::string() : std::string("cannot write");
}

// Every key with its text; unreadable texts are left out and counted.
std::map<std::string, std::string, bool (*)(const std::string&, const std::string&)> Readable(
    const quintaro::StringMap& store, int& unreadable) {
    std::map<std::string, std::string, bool (*)(const std::string&, const std::string&)> texts(
        [](const std::string& a, const std::string& b) { return quintaro::CompareKeys(a, b) < 0; });
    for (const std::string& key : store.Keys()) {
        CHECK(store.Lookup(key));
        try {
            texts.emplace(key, store.GetAt(key));
        } catch (const quintaro::CorruptStoreError&) {
            ++unreadable;
        }
    }
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintaro;
    WriteQuickly(ScratchFile("in"), std::string_view(reinterpret_cast<const char*>(data), size));
    StringMap store(WriteQuickly);
    if (!store.OpenFile(ScratchFile("in"))) {
        CHECK(store.Count() == 0 && !store.LastError().empty());
        return 0;
    }
    const auto keys = store.Keys();
    CHECK(static_cast<int>(keys.size()) == store.Count());
    for (std::size_t i = 1; i < keys.size(); ++i) CHECK(CompareKeys(keys[i - 1], keys[i]) < 0);
    CHECK(store.Height() <= 2 + std::log(store.Count() + 1.0) / std::log(1.5));
    int unreadable = 0;
    const auto texts = Readable(store, unreadable);

    // Written again (unreadable texts replaced), in each kind, it reads back the same.
    for (const auto& key : keys) {
        if (!texts.count(key)) CHECK(store.SetAt(key, "replaced"));
    }
    bool fitsPlain = true;  // an indexed store may hold texts too long for a plain one
    for (const auto& [key, text] : texts) fitsPlain = fitsPlain && text.size() <= 32767;
    for (bool indexed : {store.Indexed(), !store.Indexed()}) {
        if (!indexed && !fitsPlain) continue;
        store.SetIndexed(indexed);
        store.SetFileName(ScratchFile("out"));
        CHECK(store.WriteFile());
        StringMap again;
        CHECK(again.OpenFile(ScratchFile("out")));
        CHECK(again.LastError().empty());
        int lost = 0;
        const auto back = Readable(again, lost);
        CHECK(lost == 0 && back.size() == keys.size());
        for (const auto& [key, text] : texts) CHECK(back.at(key) == text);
    }
    return 0;
}
