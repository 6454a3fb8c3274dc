#include "cli/Json.h"

#include "common/TextCodec.h"
#include "encyclopedia/TextFormat.h"

namespace krel::cli {

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

Json RecordsToJson(const Encyclopedia::EntryList& records) {
    Json array = Json::array();
    for (const auto& record : records)
        array.push_back(RecordToJson(*record));
    return array;
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

Json RowsToJson(const std::vector<Row>& rows) {
    Json array = Json::array();
    for (const Row& row : rows)
        array.push_back(RowToJson(row));
    return array;
}

} // namespace krel::cli
