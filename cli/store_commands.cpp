// SPDX-License-Identifier: AGPL-3.0-or-later
// store import / get / dump / install: the interpretation text stores from the command line.
#include <iostream>
#include <memory>

#include "cli/cli_context.h"
#include "interps/interpretation_install.h"
#include "interps/string_map.h"

namespace quintaro::cli {

namespace {

struct StoreOptions {
    std::string text;
    std::string store;
    std::string key;
    bool plain = false;
};

// Line breaks of a stored text ("\r\n") as the terminal writes them.
std::string ForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

// Opens an existing store; false (reported) when it does not open.
bool OpenStore(StringMap& store, const std::string& path, CliContext& context) {
    if (!store.OpenFile(path)) {
        context.fail(store.LastError());
        return false;
    }
    if (!store.LastError().empty()) std::cerr << "warning: " << store.LastError() << '\n';
    return true;
}

void RunImport(const StoreOptions& options, CliContext& context) {
    StringMap store;
    std::error_code ec;
    if (std::filesystem::exists(options.store, ec)) {
        if (!store.OpenFile(options.store)) {
            context.fail(store.LastError() + "; the file is left as it is");
            return;
        }
    } else {
        store.SetFileName(options.store);
        store.SetIsModified(true);
    }
    const bool converted = store.Indexed() == options.plain;
    store.SetIndexed(!options.plain);
    const ImportResult result = store.ImportAscii(options.text);
    if (!result.complete) context.fail(ImportStopMessage(result, options.text));
    const bool nothingRead = !result.complete && result.stored == 0;
    if ((store.IsModified() || converted) && !nothingRead) {
        if (!store.WriteFile()) {
            context.fail(store.LastError());
            return;
        }
    }
    std::cout << "Imported " << result.stored << " entries into " << options.store << " ("
              << result.skipped << " skipped, " << store.Count() << " in the store)\n";
}

void RunGet(const StoreOptions& options, CliContext& context) {
    StringMap store;
    if (!OpenStore(store, options.store, context)) return;
    std::string text;
    try {
        if (!store.Lookup(options.key, &text)) {
            context.fail("no entry '" + options.key + "' in " + options.store);
            return;
        }
    } catch (const CorruptStoreError& error) {
        context.fail(error.what());
        return;
    }
    std::cout << ForTerminal(text) << '\n';
}

void RunDump(const StoreOptions& options, CliContext& context) {
    StringMap store;
    if (!OpenStore(store, options.store, context)) return;
    for (const std::string& key : store.Keys()) {
        try {
            std::string text = store.GetAt(key);
            std::cout << '#' << key << '\n' << ForTerminal(text) << "\n\n";
        } catch (const CorruptStoreError& error) {
            context.fail(std::string(error.what()) + " (entry '" + key + "')");
        }
    }
}

// Counts what it passes on, so that the command knows whether anything went wrong.
class CountingMessages final : public Messages {
  public:
    explicit CountingMessages(Messages& to) : to_(to) {}
    void show(const std::string& title, const std::string& text, MessageIcon icon) override {
        ++shown;
        to_.show(title, text, icon);
    }
    bool ask(const std::string& title, const std::string& text) override {
        return to_.ask(title, text);
    }
    int shown = 0;

  private:
    Messages& to_;
};

void RunInstall(CliContext& context) {
    CountingMessages messages(context.messages);
    const auto home = context.homeFolder();
    const int written = InstallInterpretationStores(home, messages);
    std::cout << written << " interpretation stores written to "
              << InterpretationStorePath(home, "").parent_path().string() << '\n';
    if (messages.shown > 0) context.exitCode = 1;
}

}  // namespace

void AddStoreCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<StoreOptions>();
    auto* store = app.add_subcommand("store", "Interpretation text stores (.dat)");
    store->require_subcommand(1);

    auto* import = store->add_subcommand(
        "import", "Import a text file of '#key' entries into a store (created when missing)");
    import->add_option("TEXT", options->text, "Text file to import")
        ->required()
        ->check(CLI::ExistingFile);
    import->add_option("STORE", options->store, "Store file (.dat)")->required();
    import->add_flag("--plain", options->plain,
                     "Write a plain store (texts in the node table) instead of an indexed one");
    import->callback([options, &context] { RunImport(*options, context);
});

auto* get = store->add_subcommand("get", "Print the text stored under a key");
get->add_option("STORE", options->store, "Store file (.dat)")->required();
get->add_option("KEY", options->key, "Key (letter case does not matter)")->required();
get->callback([options, &context] { RunGet(*options, context); });

auto* dump = store->add_subcommand("dump", "Print every entry in key order, as import text");
dump->add_option("STORE", options->store, "Store file (.dat)")->required();
dump->callback([options, &context] { RunDump(*options, context); });

auto* install = store->add_subcommand(
    "install", "Import the interpretation texts into the stores of the installation folder");
install->callback([&context] { RunInstall(context); });
}  // namespace quintaro::cli

}  // namespace quintaro::cli
