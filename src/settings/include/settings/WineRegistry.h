#pragma once
// A Wine prefix's registry file (system.reg, user.reg): the text form in which Wine keeps one
// hive. Grammar read:
//
//   file    := "WINE REGISTRY Version 2" { line }
//   line    := ";; All keys relative to " name | ";" comment | "#" option | key | value | blank
//   key     := "[" escaped "]" [ timestamp ]
//   value   := ( '"' escaped '"' | "@" ) "=" data
//   data    := '"' escaped '"' | "str(" type "):" '"' escaped '"' | "dword:" hex
//            | "hex" [ "(" type ")" ] ":" bytes          (a line ending in "\" goes on below)
//   escaped := { char | "\" ( "a" | "b" | "e" | "f" | "n" | "r" | "t" | "v" )
//                     | "\" 1*3 octal | "\x" 1*4 hex | "\" char }
//
// Escapes stand for UTF-16 code units. Key paths are relative to the hive the file names, and
// they and value names compare ignoring ASCII letter case. Texts come out in the program's
// 8-bit code page, a character without an 8-bit form as "?".

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

struct WineValue {
    // Expandable texts (REG_EXPAND_SZ) may hold %variables%; Other covers numbers, binary data
    // and lists of texts, whose text stays empty.
    enum class Type { Text, ExpandableText, Other };
    std::string name; // "" for the key's default value ("@")
    Type type = Type::Other;
    std::string text;
};

class WineRegistry {
public:
    // Reads a whole file; nothing when it does not begin with Wine's header line. Lines it
    // cannot make sense of are passed over, as Wine itself does.
    static std::optional<WineRegistry> Parse(std::string_view text);

    // The hive the keys are relative to, as the file names it ("\Machine"), or "" when the file
    // does not say.
    const std::string& root() const { return root_; }
    // A value of key ("Software\Corvane\Vastreach III", backslashes single), or nullptr.
    const WineValue* find(std::string_view key, std::string_view name) const;
    // A text value (plain or expandable) of key, or nothing.
    std::optional<std::string> findText(std::string_view key, std::string_view name) const;

private:
    void parseLine(std::string_view line, std::vector<WineValue>*& current);

    std::string root_;
    std::map<std::string, std::vector<WineValue>> keys_; // by lower-case path
};

} // namespace krel
