#include "settings/RegFile.h"

#include "common/Blanks.h"
#include "common/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

namespace krel {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::string_view stripLeadingSeparator(std::string_view path) {
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return path;
}

// Reads a quoted text at the start of rest; leaves rest just after the closing quote.
std::string readQuoted(std::string_view& rest) {
    if (rest.empty() || rest.front() != '"')
        throw std::runtime_error("a quoted name or text was expected");
    std::string out;
    size_t i = 1;
    for (; i < rest.size() && rest[i] != '"'; ++i) {
        if (rest[i] == '\\') {
            if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"'))
                throw std::runtime_error("only \\\\ and \\\" may follow a backslash");
        }
        out.push_back(rest[i]);
    }
    if (i == rest.size())
        throw std::runtime_error("a quoted text is not closed");
    rest.remove_prefix(i + 1);
    return out;
}

std::uint32_t readDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }))
        throw std::runtime_error("dword: needs one to eight hexadecimal digits");
    return static_cast<std::uint32_t>(std::stoul(std::string(digits), nullptr, 16));
}

RegValue parseValue(std::string_view line) {
    RegValue value;
    value.name = Utf8ToCp1252(readQuoted(line));
    if (line.empty() || line.front() != '=')
        throw std::runtime_error("\"=\" was expected after the value name");
    line.remove_prefix(1);
    if (line.substr(0, 6) == "dword:") {
        value.type = RegValue::Type::Dword;
        value.number = readDword(line.substr(6));
        return value;
    }
    value.text = Utf8ToCp1252(readQuoted(line));
    if (!Trimmed(line).empty())
        throw std::runtime_error("unexpected text after the value");
    return value;
}

std::string quoted(std::string_view cp1252) {
    std::string out = "\"";
    for (char c : Cp1252ToUtf8(cp1252)) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

std::string valueLine(const RegValue& value) {
    if (value.type == RegValue::Type::String)
        return quoted(value.name) + "=" + quoted(value.text) + "\n";
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value.number));
    return quoted(value.name) + "=dword:" + digits + "\n";
}

} // namespace

RegDocument RegDocument::Parse(std::string rootName, std::string_view utf8) {
    RegDocument document(std::move(rootName));
    if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        utf8.remove_prefix(kByteOrderMark.size());
    Key* current = nullptr;
    size_t lineNumber = 0;
    while (!utf8.empty() || lineNumber == 0) {
        size_t end = utf8.find('\n');
        std::string_view line = Trimmed(utf8.substr(0, end));
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        ++lineNumber;
        try {
            if (lineNumber == 1 && line != kHeader)
                throw std::runtime_error("the first line must be \"" + std::string(kHeader) + "\"");
            if (lineNumber > 1)
                document.parseLine(line, current);
        } catch (const std::exception& e) {
            throw SettingsFileError("line " + std::to_string(lineNumber) + ": " + e.what());
        }
    }
    return document;
}

void RegDocument::parseLine(std::string_view line, Key*& current) {
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[') {
        if (line.back() != ']')
            throw std::runtime_error("a key line must end with \"]\"");
        std::string path = Utf8ToCp1252(line.substr(1, line.size() - 2));
        std::string_view rest = path;
        if (!sameName(rest.substr(0, rootName_.size()), rootName_) ||
            (rest.size() > rootName_.size() && rest[rootName_.size()] != '\\'))
            throw std::runtime_error("keys must lie below " + rootName_);
        rest.remove_prefix(std::min(rest.size(), rootName_.size()));
        CreateKey(rest);
        current = findKey(rest);
        return;
    }
    if (!current)
        throw std::runtime_error("a value must follow a key line");
    RegValue value = parseValue(line);
    Set(current->path, std::move(value));
}

std::string RegDocument::Serialize() const {
    std::string out = std::string(kHeader) + "\n";
    for (const Key& key : keys_) {
        std::string section = rootName_ + (key.path.empty() ? "" : "\\" + key.path);
        out += "\n[" + Cp1252ToUtf8(section) + "]\n";
        for (const RegValue& value : key.values)
            out += valueLine(value);
    }
    return out;
}

bool RegDocument::HasKey(std::string_view path) const {
    return findKey(path) != nullptr;
}

void RegDocument::CreateKey(std::string_view path) {
    path = stripLeadingSeparator(path);
    for (size_t end = 0; end != std::string_view::npos;) {
        end = path.find('\\', end + 1);
        std::string_view prefix = path.substr(0, end);
        if (!prefix.empty() && !findKey(prefix))
            keys_.push_back(Key{std::string(prefix), {}});
    }
}

const RegValue* RegDocument::Find(std::string_view path, std::string_view name) const {
    const Key* key = findKey(path);
    if (!key)
        return nullptr;
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const RegValue& v) { return sameName(v.name, name); });
    return it == key->values.end() ? nullptr : &*it;
}

void RegDocument::Set(std::string_view path, RegValue value) {
    Key* key = findKey(path);
    if (!key)
        throw std::logic_error("the key '" + std::string(path) + "' does not exist");
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const RegValue& v) { return sameName(v.name, value.name); });
    if (it == key->values.end())
        key->values.push_back(std::move(value));
    else
        *it = std::move(value);
}

RegDocument::Key* RegDocument::findKey(std::string_view path) {
    return const_cast<Key*>(std::as_const(*this).findKey(path));
}

const RegDocument::Key* RegDocument::findKey(std::string_view path) const {
    path = stripLeadingSeparator(path);
    auto it = std::find_if(keys_.begin(), keys_.end(),
                           [&](const Key& k) { return sameName(k.path, path); });
    return it == keys_.end() ? nullptr : &*it;
}

} // namespace krel
