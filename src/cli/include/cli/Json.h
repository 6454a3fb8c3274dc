#pragma once
// The tool's JSON: records and view rows, with text converted from Windows-1252 to UTF-8.

#include "encyclopedia/Encyclopedia.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace krel::cli {

// Keys keep the order they are written in, so records read like the file.
using Json = nlohmann::ordered_json;

std::string KindName(T_EntryKind kind);

// {"kind", "tag", "title", "image", "keywords", "related", "content"}
Json RecordToJson(const T_EncEntry& record);
Json RecordsToJson(const Encyclopedia::EntryList& records);

// One row of a view: a record of the list and whether it can be selected.
struct Row {
    const T_EncEntry* Record = nullptr;
    bool Selectable = true;
};

// What a row shows: the header's title, the entry's title, or the letter (8-bit text).
std::string RowText(const T_EncEntry& record);

// {"kind", "tag", "text", "selectable"}
Json RowToJson(const Row& row);
Json RowsToJson(const std::vector<Row>& rows);

} // namespace krel::cli
