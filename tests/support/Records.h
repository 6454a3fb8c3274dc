#pragma once
// Small record builders and an encyclopedia holding a list, for any test of the records.

#include "encyclopedia/Encyclopedia.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace krel::test {

inline T_EncEntry Header(std::string tag, std::string content) {
    return {ekHeader, {}, {}, {}, {}, std::move(content), std::move(tag)};
}

inline T_EncEntry Entry(std::string tag, std::string title, std::string keywords = {},
                        std::string content = {}) {
    return {ekEntry,       std::move(title), {}, std::move(keywords), {}, std::move(content),
            std::move(tag)};
}

inline T_EncEntry Linked(T_EncEntry entry, std::string related) {
    entry.Related = std::move(related);
    return entry;
}

inline T_EncEntry Letter(char letter) {
    return {ekLetter, std::string(1, letter), {}, {}, {}, {}, {}};
}

inline std::unique_ptr<Encyclopedia> MakeEncyclopedia(const std::vector<T_EncEntry>& records) {
    auto encyclopedia = std::make_unique<Encyclopedia>();
    encyclopedia->Replace(records);
    return encyclopedia;
}

} // namespace krel::test
