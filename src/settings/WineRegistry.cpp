#include "settings/WineRegistry.h"

#include "common/TextCodec.h"
#include "settings/AsciiCase.h"

#include <algorithm>
#include <cctype>

namespace krel {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
constexpr std::string_view kRootLine = ";; All keys relative to ";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

int digitValue(char c, int base) {
    int value = std::isdigit(static_cast<unsigned char>(c))    ? c - '0'
                : std::isxdigit(static_cast<unsigned char>(c)) ? LowerAscii(c) - 'a' + 10
                                                               : 99;
    return value < base ? value : -1;
}

// Reads up to maxDigits digits of base at text[at]; at ends past them.
unsigned readNumber(std::string_view text, size_t& at, int base, int maxDigits) {
    unsigned value = 0;
    for (int n = 0; n < maxDigits && at < text.size() && digitValue(text[at], base) >= 0; ++n)
        value = value * base + digitValue(text[at++], base);
    return value;
}

char16_t letterEscape(char letter) {
    static constexpr std::string_view letters = "abefnrtv";
    static constexpr char16_t units[] = {7, 8, 27, 12, 10, 13, 9, 11};
    size_t found = letters.find(letter);
    return found == std::string_view::npos ? 0 : units[found];
}

// The code unit of the escape after a backslash at text[at]; at ends past the escape.
char16_t readEscape(std::string_view text, size_t& at) {
    char c = text[at];
    if (c == 'x' && at + 1 < text.size() && digitValue(text[at + 1], 16) >= 0)
        return static_cast<char16_t>(readNumber(text, ++at, 16, 4));
    if (digitValue(c, 8) >= 0)
        return static_cast<char16_t>(readNumber(text, at, 8, 3));
    ++at;
    char16_t unit = letterEscape(c);
    return unit ? unit : static_cast<unsigned char>(c);
}

void appendUnit(char16_t unit, std::string& out) {
    if (unit < 0x80)
        out.push_back(static_cast<char>(unit));
    else
        out += Utf16ToCp1252(std::u16string_view(&unit, 1));
}

// Reads escaped text at text[at] up to the unescaped end (or the line's end when end is 0);
// at ends past the end character. Nothing when the end never comes.
std::optional<std::string> readEscaped(std::string_view text, size_t& at, char end) {
    std::string out;
    while (at < text.size() && text[at] != end) {
        if (text[at] == '\\' && at + 1 < text.size())
            appendUnit(readEscape(text, ++at), out);
        else
            out.push_back(text[at++]);
    }
    if (at >= text.size() && end != 0)
        return std::nullopt;
    ++at;
    return out;
}

// "61,00,62,00" (blanks allowed) as bytes.
std::string readHexBytes(std::string_view text) {
    std::string bytes;
    for (size_t at = 0; at < text.size();) {
        if (digitValue(text[at], 16) >= 0)
            bytes.push_back(static_cast<char>(readNumber(text, at, 16, 2)));
        else
            ++at;
    }
    return bytes;
}

// A text kept as UTF-16 little-endian bytes, without its terminating zeros.
std::string textOfUtf16Bytes(std::string_view bytes) {
    std::string text;
    AppendUtf16LeAsCp1252(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size() / 2,
                          text);
    return text.substr(0, text.find('\0'));
}

WineValue::Type typeOfNumber(unsigned type) {
    return type == 1   ? WineValue::Type::Text
           : type == 2 ? WineValue::Type::ExpandableText
                       : WineValue::Type::Other;
}

// "(2):" after "str" or "hex": the number; at ends past the colon. 0 when malformed.
unsigned readTypeNumber(std::string_view data, size_t& at) {
    if (at >= data.size() || data[at] != '(')
        return 0;
    unsigned type = readNumber(data, ++at, 16, 8);
    if (data.substr(at, 2) != "):")
        return 0;
    at += 2;
    return type;
}

// Fills value from the text after "="; false for a text whose closing quote is missing.
bool readData(std::string_view data, WineValue& value) {
    size_t at = 0;
    if (startsWith(data, "str(")) {
        at = 3;
        value.type = typeOfNumber(readTypeNumber(data, at));
        data = data.substr(at);
    } else if (startsWith(data, "hex(")) {
        at = 3;
        value.type = typeOfNumber(readTypeNumber(data, at));
        if (value.type != WineValue::Type::Other)
            value.text = textOfUtf16Bytes(readHexBytes(data.substr(at)));
        return true;
    } else if (startsWith(data, "\"")) {
        value.type = WineValue::Type::Text;
    }
    if (!startsWith(data, "\""))
        return true;
    at = 1;
    auto text = readEscaped(data, at, '"');
    if (value.type != WineValue::Type::Other)
        value.text = text.value_or("");
    return text.has_value();
}

std::optional<WineValue> readValue(std::string_view line) {
    WineValue value;
    size_t at = 1;
    if (line[0] == '"') {
        auto name = readEscaped(line, at, '"');
        if (!name)
            return std::nullopt;
        value.name = *name;
    }
    if (at >= line.size() || line[at] != '=')
        return std::nullopt;
    if (!readData(line.substr(at + 1), value))
        return std::nullopt;
    return value;
}

std::string keyOf(std::string_view path) {
    while (startsWith(path, "\\"))
        path.remove_prefix(1);
    return LowerAscii(path);
}

// Splits text into lines, joining a line that ends in "\" with the one below (long binary data).
std::vector<std::string> logicalLines(std::string_view text) {
    std::vector<std::string> lines;
    bool continues = false;
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (continues)
            line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (!continues)
            lines.emplace_back();
        continues = !line.empty() && line.back() == '\\';
        lines.back() += continues ? line.substr(0, line.size() - 1) : line;
    }
    return lines;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::optional<WineRegistry> WineRegistry::Parse(std::string_view text) {
    if (startsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (!startsWith(text, kHeader))
        return std::nullopt;
    // Wine writes plain ASCII with escapes; newer versions read UTF-8 as well.
    std::string converted = isAscii(text) ? std::string() : Utf8ToCp1252(text);
    WineRegistry registry;
    std::vector<WineValue>* current = nullptr;
    for (const std::string& line : logicalLines(converted.empty() ? text : converted))
        registry.parseLine(line, current);
    return registry;
}

void WineRegistry::parseLine(std::string_view line, std::vector<WineValue>*& current) {
    size_t at = 1;
    if (startsWith(line, kRootLine)) {
        at = kRootLine.size();
        root_ = readEscaped(line, at, 0).value_or("");
    } else if (startsWith(line, "[")) {
        auto path = readEscaped(line, at, ']');
        current = path ? &keys_[keyOf(*path)] : nullptr;
    } else if (current && (startsWith(line, "\"") || startsWith(line, "@"))) {
        if (auto value = readValue(line))
            current->push_back(std::move(*value));
    }
}

const WineValue* WineRegistry::find(std::string_view key, std::string_view name) const {
    auto found = keys_.find(keyOf(key));
    if (found == keys_.end())
        return nullptr;
    for (const WineValue& value : found->second)
        if (SameIgnoringCase(value.name, name))
            return &value;
    return nullptr;
}

std::optional<std::string> WineRegistry::findText(std::string_view key,
                                                  std::string_view name) const {
    const WineValue* value = find(key, name);
    if (!value || value->type == WineValue::Type::Other)
        return std::nullopt;
    return value->text;
}

} // namespace krel
