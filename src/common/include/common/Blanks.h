#pragma once
// Blanks are the codes 0 to 32: what the game's files and the settings files leave around texts.

#include <string_view>

namespace krel {

inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The text without its leading and trailing blanks.
std::string_view Trimmed(std::string_view text);

} // namespace krel
