#pragma once
// The settings file: the text form of registry exports ("Windows Registry Editor Version 5.00",
// one [ROOT\Key\Path] section per key, "Name"="text" and "Name"=dword:0000002a lines), so a key
// can exist without values. Grammar accepted:
//
//   file    := header { blank | comment | section | value }
//   header  := "Windows Registry Editor Version 5.00"   (a UTF-8 byte-order mark may precede it)
//   section := "[" ROOT { "\" name } "]"
//   value   := quoted "=" ( quoted | "dword:" 1*8 hex digits )
//   quoted  := '"' { char | "\\" | "\"" } '"'
//   comment := ";" anything
//
// Key paths and value names compare ignoring ASCII letter case, as the registry does. Texts
// inside the program are Windows-1252; the file is UTF-8.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

class SettingsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RegValue {
    enum class Type { String, Dword };
    std::string name;
    Type type = Type::String;
    std::string text;
    std::uint32_t number = 0;
};

class RegDocument {
public:
    explicit RegDocument(std::string rootName) : rootName_(std::move(rootName)) {}

    // Parses a whole file; throws SettingsFileError naming the line and the problem.
    static RegDocument Parse(std::string rootName, std::string_view utf8);
    std::string Serialize() const;

    // Key paths are written "\Software\KrelEditor" (the leading backslash is optional).
    bool HasKey(std::string_view path) const;
    // Creates the key and every missing parent key.
    void CreateKey(std::string_view path);
    const RegValue* Find(std::string_view path, std::string_view name) const;
    // Stores a value in an existing key (replacing one of the same name).
    void Set(std::string_view path, RegValue value);

private:
    struct Key {
        std::string path; // without the root, without a leading backslash
        std::vector<RegValue> values;
    };
    Key* findKey(std::string_view path);
    const Key* findKey(std::string_view path) const;
    void parseLine(std::string_view line, Key*& current);

    std::string rootName_;
    std::vector<Key> keys_;
};

} // namespace krel
