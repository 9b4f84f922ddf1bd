#include "facts/installed_programs.h"

#include <optional>
#include <vector>

#include "facts/registry_values.h"
#include "facts/windows_version.h"

namespace {

struct UninstallView {
    uint32_t root;
    RegistryView view;
    const char* name;  // as the record gives it
};

// The fields of an entry. Absent is an answer here: most entries lack one value or
// another.
const RegistryField kEntry[] = {
    {"name", "DisplayName", RegistryField::Form::Text, true},
    {"version", "DisplayVersion", RegistryField::Form::Text, true},
    {"publisher", "Publisher", RegistryField::Form::Text, true},
    {"installDate", "InstallDate", RegistryField::Form::Text, true},
};

std::string textOrEmpty(RegistryKey& key, const char* name) {
    RegistryRead read = readWhole(key, name);
    return read.code == kErrorSuccess && (read.type == kRegSz || read.type == kRegExpandSz)
               ? read.data
               : std::string();
}

// What Programs and Features leaves out: entries without a name, those that ask to be
// hidden, and updates that belong to another entry.
bool shown(RegistryKey& entry) {
    if (textOrEmpty(entry, "DisplayName").empty()) return false;
    RegistryRead hidden = readWhole(entry, "SystemComponent");
    if (hidden.code == kErrorSuccess && hidden.type == kRegDword && hidden.data.size() == 4 &&
        hidden.data[0] == 1 && hidden.data.substr(1) == std::string(3, '\0'))
        return false;
    if (!textOrEmpty(entry, "ParentKeyName").empty()) return false;
    const std::string release = textOrEmpty(entry, "ReleaseType");
    return release != "Update" && release != "Hotfix" && release != "Security Update" &&
           release != "Update Rollup";
}

Json entryRecord(RegistryKey& entry, const std::string& where, const UninstallView& view,
                 const std::string& keyName) {
    Json program = Json::object();
    for (const RegistryField& field : kEntry) registryValue(program, field, entry, where);
    program["view"] = view.name;
    program["key"] = keyName;
    return program;
}

// One view's entries into `list`, or why they could not be read.
std::optional<std::string> readView(Registry& registry, const UninstallView& view, Json& list) {
    const std::string where = rootName(view.root) + "\\" + kUninstallKey + " (" + view.name + ")";
    RegistryOpened uninstall = registry.openIn(view.root, kUninstallKey, view.view);
    if (uninstall.code == kErrorFileNotFound) return std::nullopt;  // nothing installed there
    auto failed = [&](const std::string& what, int32_t code) {
        return what + " se nepodařilo přečíst (chyba " + std::to_string(code) + ").";
    };
    if (!uninstall.key) return failed("Klíč " + where, uninstall.code);
    auto names = uninstall.key->subKeys();
    if (const int32_t* code = std::get_if<int32_t>(&names)) return failed("Klíč " + where, *code);
    for (const std::string& name : std::get<std::vector<std::string>>(names)) {
        const std::string sub = std::string(kUninstallKey) + "\\" + name;
        RegistryOpened entry = registry.openIn(view.root, sub, view.view);
        if (entry.code == kErrorFileNotFound) continue;  // uninstalled meanwhile
        if (!entry.key) return failed("Klíč " + where + "\\" + name, entry.code);
        if (shown(*entry.key)) list.push_back(entryRecord(*entry.key, where, view, name));
    }
    return std::nullopt;
}

}  // namespace

void programsRecord(Json& record, Registry& registry, SystemInfo& system) {
    SystemInfoRecord native;
    system.getNativeSystemInfo(native);
    std::vector<UninstallView> views;
    // Only 32-bit Windows is known to have one registry: an architecture the program does
    // not know (ARM64) still has a 64-bit one.
    if (windowsBits(native.processorArchitecture) != 32)
        views.push_back({kHKeyLocalMachine, RegistryView::Bits64, "machine64"});
    views.push_back({kHKeyLocalMachine, RegistryView::Bits32, "machine32"});
    // HKEY_CURRENT_USER\Software is one for both kinds of program.
    views.push_back({kHKeyCurrentUser, RegistryView::Default, "user"});
    Json list = Json::array();
    for (const UninstallView& view : views) {
        if (auto failure = readView(registry, view, list))
            return unread(record, "programs", *failure);
    }
    record["programs"] = list;
}
