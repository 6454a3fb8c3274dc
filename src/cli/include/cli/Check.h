#pragma once
// A lint for modders: what in an encyclopedia the game or the editor will not show or keep the
// way its author meant.

#include "cli/Json.h"
#include "encyclopedia/Encyclopedia.h"

#include <string>
#include <vector>

namespace krel::cli {

struct Problem {
    std::string Code;              // e.g. "dangling-member"
    std::string Tag;               // the record the problem is about (8-bit)
    std::string Message;           // what is wrong, for people (8-bit)
    Json Details = Json::object(); // further fields for the JSON form (UTF-8)
};

// Every problem of a normally loaded encyclopedia; orphans are the attribute lines the parse
// dropped. Problems come grouped by kind, each group in list order.
std::vector<Problem> CheckEncyclopedia(const Encyclopedia& book,
                                       const std::vector<T_RawEntry>& orphans);

// code "tag": message   (UTF-8)
std::string ProblemLine(const Problem& problem);
// {"problem", "tag", details..., "message"}
Json ProblemToJson(const Problem& problem);

} // namespace krel::cli
