#include "settings/SteamLibraries.h"

#include "settings/AsciiCase.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace krel {
namespace fs = std::filesystem;
namespace {

struct Token {
    enum class Kind { Text, Open, Close };
    Kind kind;
    std::string text;
};

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string readQuoted(std::string_view vdf, size_t& at) {
    std::string text;
    for (++at; at < vdf.size() && vdf[at] != '"'; ++at) {
        if (vdf[at] == '\\' && at + 1 < vdf.size())
            ++at;
        text.push_back(vdf[at]);
    }
    ++at;
    return text;
}

std::string readBare(std::string_view vdf, size_t& at) {
    size_t start = at;
    while (at < vdf.size() && !isBlank(vdf[at]) && vdf[at] != '{' && vdf[at] != '}')
        ++at;
    return std::string(vdf.substr(start, at - start));
}

std::vector<Token> tokens(std::string_view vdf) {
    std::vector<Token> found;
    for (size_t at = 0; at < vdf.size();) {
        if (isBlank(vdf[at]))
            ++at;
        else if (vdf.substr(at, 2) == "//")
            at = std::min(vdf.find('\n', at), vdf.size());
        else if (vdf[at] == '{' || vdf[at] == '}')
            found.push_back({vdf[at++] == '{' ? Token::Kind::Open : Token::Kind::Close, {}});
        else if (vdf[at] == '"')
            found.push_back({Token::Kind::Text, readQuoted(vdf, at)});
        else
            found.push_back({Token::Kind::Text, readBare(vdf, at)});
    }
    return found;
}

bool isNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

bool namesLibrary(const std::string& key, const std::string& value) {
    return (SameIgnoringCase(key, "path") || isNumber(key)) && fs::path(value).is_absolute();
}

} // namespace

std::vector<fs::path> SteamLibraryFolders(std::string_view vdf) {
    std::vector<Token> list = tokens(vdf);
    std::vector<fs::path> folders;
    for (size_t i = 0; i + 1 < list.size(); ++i) {
        const bool pair =
            list[i].kind == Token::Kind::Text && list[i + 1].kind == Token::Kind::Text;
        if (!pair)
            continue;
        if (namesLibrary(list[i].text, list[i + 1].text))
            folders.emplace_back(list[i + 1].text);
        ++i;
    }
    return folders;
}

} // namespace krel
