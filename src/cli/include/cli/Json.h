#pragma once
// The tool's JSON: records and view rows, with text converted from Windows-1252 to UTF-8.

#include "encyclopedia/Encyclopedia.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace krel::cli {

// Keys keep the order they are written in, so records read like the file.
using Json = nlohmann::ordered_json;

std::string KindName(T_EntryKind kind);

// The text of json as dump(2) writes it nested depth levels deep in a larger document.
std::string NestedJson(const Json& json, int depth);

// Prints a JSON array one element at a time, laid out exactly as dump(2) lays out the whole
// array nested depth levels deep, so that a large array is never built whole.
class JsonArrayPrinter {
public:
    explicit JsonArrayPrinter(std::ostream& out, int depth = 0);
    void Add(const Json& element);
    void Close();

private:
    std::ostream& out_;
    int depth_;
    bool empty_ = true;
};

// {"kind", "tag", "title", "image", "keywords", "related", "content"}
Json RecordToJson(const T_EncEntry& record);
void PrintRecordsJson(std::ostream& out, const Encyclopedia::EntryList& records, int depth = 0);

// One row of a view: a record of the list and whether it can be selected.
struct Row {
    const T_EncEntry* Record = nullptr;
    bool Selectable = true;
};

// What a row shows: the header's title, the entry's title, or the letter (8-bit text).
std::string RowText(const T_EncEntry& record);

// {"kind", "tag", "text", "selectable"}
Json RowToJson(const Row& row);
void PrintRowsJson(std::ostream& out, const std::vector<Row>& rows);

} // namespace krel::cli
