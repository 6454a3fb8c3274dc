#include "settings/Preferences.h"

#include "settings/WorkFolder.h"

namespace krel {
namespace {

void writeEncyclopediaDefaults(Registry& registry) {
    registry.WriteBool("Reorder", true);
    registry.WriteBool("Overwrite", true);
    registry.WriteBool("Confirm", false);
    registry.CloseKey();
}

void writeFirstRunDefaults(Registry& registry, const std::string& baseDir,
                           const std::string& defaultTempDir) {
    registry.OpenKey(kEditorKey, true);
    registry.OpenKey(kGeneralKey, true);
    registry.WriteString("BaseDir", baseDir);
    registry.WriteString("TempDir", defaultTempDir);
    registry.WriteBool("Cleanup", true);
    registry.CloseKey();
    registry.OpenKey(kEncyclopediaKey, true);
    writeEncyclopediaDefaults(registry);
}

void readEncyclopedia(T_Preferences& prefs, Registry& registry) {
    if (registry.KeyExists(kEncyclopediaKey)) {
        registry.OpenKey(kEncyclopediaKey, false);
        prefs.Reorder = registry.ReadBool("Reorder");
        prefs.Overwrite = registry.ReadBool("Overwrite");
        prefs.Confirm = registry.ReadBool("Confirm");
        return;
    }
    registry.OpenKey(kEncyclopediaKey, true);
    writeEncyclopediaDefaults(registry);
    prefs.Reorder = true;
    prefs.Overwrite = true;
    prefs.Confirm = false;
}

} // namespace

std::string MachineGameLocation(SettingsHive& machine) {
    Registry registry(machine);
    if (!registry.KeyExists(kGameKey) || !registry.OpenKey(kGameKey, false))
        return {};
    return registry.ReadString(kGameLocationValue);
}

void ReadPreferences(T_Preferences& prefs, SettingsHive& user,
                     const std::function<std::string()>& firstRunGameFolder,
                     const std::string& defaultTempDir) {
    Registry registry(user);
    if (!registry.KeyExists(kEditorKey))
        writeFirstRunDefaults(registry, firstRunGameFolder(), defaultTempDir);
    registry.OpenKey(kGeneralKey, false);
    prefs.General.BaseDir = registry.ReadString("BaseDir");
    prefs.General.TempDir = registry.ReadString("TempDir");
    prefs.General.Cleanup = registry.ReadBool("Cleanup");
    PrepareWorkFolder(prefs.General.TempDir);
    readEncyclopedia(prefs, registry);
}

void WritePreferences(const T_Preferences& prefs, SettingsHive& user) {
    Registry registry(user);
    registry.OpenKey(kEditorKey, true);
    registry.OpenKey(kGeneralKey, true);
    registry.WriteString("BaseDir", prefs.General.BaseDir);
    registry.WriteString("TempDir", prefs.General.TempDir);
    registry.WriteBool("Cleanup", prefs.General.Cleanup);
    registry.CloseKey();
    registry.OpenKey(kEncyclopediaKey, true);
    registry.WriteBool("Reorder", prefs.Reorder);
    registry.WriteBool("Overwrite", prefs.Overwrite);
    registry.WriteBool("Confirm", prefs.Confirm);
    registry.CloseKey();
}

} // namespace krel
