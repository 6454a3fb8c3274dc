#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Load.h"
#include "common/TextCodec.h"
#include "encyclopedia/Compare.h"
#include "encyclopedia/TextFormat.h"

#include <array>

namespace krel::cli {
namespace {

// The fields a whole record shows when it is added or removed.
const FieldSet kEntryFields = {Field::Tag,      Field::Title, Field::Text,   Field::Picture,
                               Field::Keywords, Field::Links, Field::Header, Field::Order};
const FieldSet kHeaderFields = {Field::Title, Field::Members, Field::Order};

std::string_view changeName(ChangeKind change) {
    static constexpr std::array<std::string_view, 3> names = {"added", "removed", "changed"};
    return names[static_cast<size_t>(change)];
}

std::string titleOf(const T_EncEntry& record) {
    return Cp1252ToUtf8(record.Kind == ekHeader ? std::string(HeaderTitle(record.Content))
                                                : record.Title);
}

// "changed ABCD 'Title': text, keywords" or "added header 'Ships'". Headers are named by
// title alone, as their numbers change with every rebuild of the table of contents.
std::string reviewLine(const RecordChange& change) {
    const T_EncEntry& record = change.Record();
    std::string line(changeName(change.Change));
    line += change.Kind == ekHeader ? " header" : " " + Cp1252ToUtf8(record.Tag);
    line += " '" + titleOf(record) + "'";
    if (change.Change == ChangeKind::Changed)
        line += ": " + FieldNames(change.Fields);
    return line;
}

Json utf8List(const std::vector<std::string>& items) {
    Json list = Json::array();
    for (const std::string& item : items)
        list.push_back(Cp1252ToUtf8(item));
    return list;
}

Json placementsOf(const RecordVersion& version, bool withPositions) {
    Json list = Json::array();
    for (const Placement& placement : version.Placements) {
        Json header = Cp1252ToUtf8(placement.Header);
        list.push_back(withPositions ? Json{{"header", header}, {"position", placement.Position}}
                                     : header);
    }
    return list;
}

Json valueOf(Field field, const RecordVersion& version) {
    const T_EncEntry& record = version.Record;
    switch (field) {
    case Field::Tag:
        return Cp1252ToUtf8(record.Tag);
    case Field::Title:
        return titleOf(record);
    case Field::Text:
        return Cp1252ToUtf8(record.Content);
    case Field::Picture:
        return Cp1252ToUtf8(record.Image);
    case Field::Keywords:
        return Cp1252ToUtf8(record.Keywords);
    case Field::Links:
        return Cp1252ToUtf8(record.Related);
    case Field::Header:
        return placementsOf(version, false);
    case Field::Members:
        return utf8List(SplitCommaList(HeaderMembers(record.Content)));
    case Field::Order:
        break;
    }
    if (record.Kind == ekHeader)
        return version.Position;
    return placementsOf(version, true);
}

Json valuesOf(const std::optional<RecordVersion>& version, const FieldSet& fields) {
    if (!version)
        return nullptr;
    Json values = Json::object();
    for (Field field : fields.Fields())
        values[std::string(FieldName(field))] = valueOf(field, *version);
    return values;
}

// A changed record shows the values of its changed fields on both sides; an added or removed
// one all of its values on its side.
Json changeToJson(const RecordChange& change) {
    FieldSet shown = change.Fields;
    if (change.Change != ChangeKind::Changed)
        shown = change.Kind == ekHeader ? kHeaderFields : kEntryFields;
    Json json;
    json["change"] = changeName(change.Change);
    json["kind"] = KindName(change.Kind);
    json["tag"] = Cp1252ToUtf8(change.Record().Tag);
    json["title"] = titleOf(change.Record());
    json["fields"] = Json::array();
    for (Field field : change.Fields.Fields())
        json["fields"].push_back(FieldName(field));
    json["before"] = valuesOf(change.Before, shown);
    json["after"] = valuesOf(change.After, shown);
    return json;
}

void loadInto(Encyclopedia& book, const std::string& source) {
    SourceFiles files = ReadSource(source);
    LoadSource(book, files);
}

} // namespace

int RunDiff(const Arguments& args, std::ostream& out) {
    Encyclopedia before;
    Encyclopedia after;
    loadInto(before, args.Operands[0]);
    loadInto(after, args.Operands[1]);
    Comparison comparison = CompareEncyclopedias(before, after);
    if (args.Has("json")) {
        Json changes = Json::array();
        for (const RecordChange& change : comparison.Changes)
            changes.push_back(changeToJson(change));
        PrintJson(out, changes);
    } else {
        for (const RecordChange& change : comparison.Changes)
            out << reviewLine(change) << '\n';
    }
    return comparison.Same() ? 0 : 1;
}

} // namespace krel::cli
