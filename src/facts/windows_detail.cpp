#include "facts/windows_detail.h"

#include "facts/registry_values.h"

namespace {

using RForm = RegistryField::Form;
using WForm = WmiField::Form;

const RegistryField kCurrentVersion[] = {
    {"productName", "ProductName", RForm::Text},
    {"edition", "EditionID", RForm::Text},
    {"currentBuild", "CurrentBuildNumber", RForm::Number},
    {"updateRevision", "UBR", RForm::Dword},
};
// Windows 10 20H2 and later; ReleaseId before it.
const RegistryField kFeatureRelease = {"featureRelease", "DisplayVersion", RForm::Text};
const RegistryField kReleaseId = {"featureRelease", "ReleaseId", RForm::Text};

const WmiField kOperatingSystem[] = {
    {"caption", "Caption", WForm::Text},
    {"installDate", "InstallDate", WForm::Time},
    {"lastBootTime", "LastBootUpTime", WForm::Time},
    {"language", "OSLanguage", WForm::Integer},  // a language code (LCID): 1029 for Czech
};

void currentVersion(Json& windows, Registry& registry) {
    const std::string where = rootName(kHKeyLocalMachine) + "\\" + kCurrentVersionKey;
    // A 32-bit Kavrona reads the key 64-bit Windows keeps for itself.
    RegistryOpened opened =
        registry.openIn(kHKeyLocalMachine, kCurrentVersionKey, RegistryView::Bits64);
    if (!opened.key) {
        const std::string reason =
            "Klíč " + where + " se nepodařilo otevřít (chyba " + std::to_string(opened.code) + ").";
        for (const RegistryField& f : kCurrentVersion) unread(windows, f.key, reason);
        unread(windows, kFeatureRelease.key, reason);
        return;
    }
    for (const RegistryField& f : kCurrentVersion) registryValue(windows, f, *opened.key, where);
    registryValue(windows, kFeatureRelease, *opened.key, where);
    if (windows[kFeatureRelease.key].is_null()) {
        Json older = Json::object();
        registryValue(older, kReleaseId, *opened.key, where);
        if (!older[kReleaseId.key].is_null()) {
            windows.erase(std::string(kFeatureRelease.key) + "Error");
            windows[kFeatureRelease.key] = older[kReleaseId.key];
        } else if (older.value("featureReleaseError", "").find(" není.") != std::string::npos) {
            // Windows before 10 names no feature release.
            unread(windows, kFeatureRelease.key,
                   "Hodnoty DisplayVersion ani ReleaseId v klíči " + where + " nejsou.");
        }
    }
}

}  // namespace

void windowsDetailRecord(Json& windows, Registry& registry, WmiSession& session) {
    currentVersion(windows, registry);
    wmiFirst(windows, session, "Win32_OperatingSystem", kOperatingSystem);
}
