#include "cli/Json.h"

#include "common/TextCodec.h"
#include "encyclopedia/TextFormat.h"

namespace krel::cli {
namespace {

std::string indentOf(int depth) {
    return std::string(2 * static_cast<size_t>(depth), ' ');
}

} // namespace

// Texts inside the document are escaped, so every line break is one of the layout's.
std::string NestedJson(const Json& json, int depth) {
    std::string text = json.dump(2);
    std::string indent = indentOf(depth);
    std::string nested;
    nested.reserve(text.size());
    for (char c : text) {
        nested.push_back(c);
        if (c == '\n')
            nested.append(indent);
    }
    return nested;
}

JsonArrayPrinter::JsonArrayPrinter(std::ostream& out, int depth) : out_(out), depth_(depth) {
    out_ << '[';
}

void JsonArrayPrinter::Add(const Json& element) {
    out_ << (empty_ ? "\n" : ",\n") << indentOf(depth_ + 1) << NestedJson(element, depth_ + 1);
    empty_ = false;
}

void JsonArrayPrinter::Close() {
    out_ << (empty_ ? "" : "\n" + indentOf(depth_)) << ']';
}

std::string KindName(T_EntryKind kind) {
    switch (kind) {
    case ekHeader:
        return "header";
    case ekEntry:
        return "entry";
    case ekLetter:
        break;
    }
    return "letter";
}

Json RecordToJson(const T_EncEntry& record) {
    Json json;
    json["kind"] = KindName(record.Kind);
    json["tag"] = Cp1252ToUtf8(record.Tag);
    json["title"] = Cp1252ToUtf8(record.Title);
    json["image"] = Cp1252ToUtf8(record.Image);
    json["keywords"] = Cp1252ToUtf8(record.Keywords);
    json["related"] = Cp1252ToUtf8(record.Related);
    json["content"] = Cp1252ToUtf8(record.Content);
    return json;
}

void PrintRecordsJson(std::ostream& out, const Encyclopedia::EntryList& records, int depth) {
    JsonArrayPrinter array(out, depth);
    for (const auto& record : records)
        array.Add(RecordToJson(*record));
    array.Close();
}

std::string RowText(const T_EncEntry& record) {
    if (record.Kind == ekHeader)
        return std::string(HeaderTitle(record.Content));
    return record.Title;
}

Json RowToJson(const Row& row) {
    Json json;
    json["kind"] = KindName(row.Record->Kind);
    json["tag"] = Cp1252ToUtf8(row.Record->Tag);
    json["text"] = Cp1252ToUtf8(RowText(*row.Record));
    json["selectable"] = row.Selectable;
    return json;
}

void PrintRowsJson(std::ostream& out, const std::vector<Row>& rows) {
    JsonArrayPrinter array(out);
    for (const Row& row : rows)
        array.Add(RowToJson(row));
    array.Close();
}

} // namespace krel::cli
