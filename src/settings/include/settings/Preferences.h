#pragma once
// The editor's six settings and how they are kept in the settings store.

#include "settings/SettingsStore.h"

#include <functional>
#include <string>

namespace krel {

struct T_General_Preferences {
    std::string BaseDir; // the game's folder, as stored (trailing separator or not)
    std::string TempDir; // the editor's work folder
    bool Cleanup = false;
};

struct T_Preferences {
    T_General_Preferences General;
    bool Reorder = false;
    bool Overwrite = false; // the current encyclopedia wins over merged duplicates
    bool Confirm = false;   // ask before such an overwrite
};

// Key paths and the game installer's entry.
inline constexpr const char* kEditorKey = "\\Software\\KrelEditor";
inline constexpr const char* kGeneralKey = "\\Software\\KrelEditor\\General";
inline constexpr const char* kEncyclopediaKey = "\\Software\\KrelEditor\\Encyclopedia";
inline constexpr const char* kGameKey = "\\SOFTWARE\\Corvane\\Vastreach III";
inline constexpr const char* kGameLocationValue = "Program Location";

// The game installer's "Program Location" in machine; "" when the key or value is missing or
// the key cannot be opened.
std::string MachineGameLocation(SettingsHive& machine);

// Fills prefs field by field, so that on failure the fields read so far keep their values.
// On first run the keys are written with their defaults (BaseDir = firstRunGameFolder(),
// asked only then; TempDir = defaultTempDir). Creates the work folder.
void ReadPreferences(T_Preferences& prefs, SettingsHive& user,
                     const std::function<std::string()>& firstRunGameFolder,
                     const std::string& defaultTempDir);

// Stores every field under its key, creating keys as needed.
void WritePreferences(const T_Preferences& prefs, SettingsHive& user);

} // namespace krel
