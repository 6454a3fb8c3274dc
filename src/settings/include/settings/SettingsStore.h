#pragma once
// The per-user settings store and the game's machine-wide entry, each one settings file read
// once and (for the user's) written back atomically whenever a key is closed after a change.
// The operations mirror the registry's: test a key, open it (creating it or not), read and
// write strings and 32-bit integers, flush and close.

#include "settings/RegFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace krel {

// One settings file. Loading happens on first use; a file that cannot be parsed makes every
// use fail with the same message and is never written over.
class SettingsHive {
public:
    enum class Access { ReadWrite, ReadOnly };
    SettingsHive(std::filesystem::path file, std::string rootName, Access access);

    const std::filesystem::path& file() const { return file_; }
    bool writable() const { return access_ == Access::ReadWrite; }
    // False when the file exists but cannot be read at all (no rights); parse errors throw.
    bool readable();
    RegDocument& document();
    void flush();

private:
    std::optional<std::string> readFile();
    void load();

    std::filesystem::path file_;
    std::string rootName_;
    Access access_;
    std::optional<RegDocument> document_;
    std::string loadError_;
    bool unreadable_ = false;
};

// A cursor on one hive with at most one open key, like the platform's registry object.
class Registry {
public:
    explicit Registry(SettingsHive& hive) : hive_(hive) {}
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    bool KeyExists(std::string_view key);
    // Opens key; when it is missing, creates it if canCreate (and the hive is writable).
    // Returns false when the key stays unopened.
    bool OpenKey(std::string_view key, bool canCreate);
    // A missing value reads as an empty text.
    std::string ReadString(std::string_view name);
    // A missing value is an error: "Failed to get data for '<name>'".
    std::int32_t ReadInteger(std::string_view name);
    bool ReadBool(std::string_view name) { return ReadInteger(name) != 0; }
    void WriteString(std::string_view name, std::string_view value);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // Writes pending changes to the file and forgets the open key.
    void CloseKey();

private:
    bool available();
    const RegValue& valueOfType(std::string_view name, RegValue::Type type, bool& missing);
    void write(RegValue value);

    SettingsHive& hive_;
    std::string openKey_;
    bool isOpen_ = false;
    bool dirty_ = false;
};

} // namespace krel
