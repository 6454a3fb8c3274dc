#include "cli/Commands.h"

#include "cli/Json.h"
#include "cli/Load.h"
#include "cli/Save.h"
#include "cli/Views.h"
#include "common/TextCodec.h"

namespace krel::cli {
namespace {

// A view that cannot be built (a header number that is not a number) is a fault of the
// titles file.
std::vector<Row> buildView(Encyclopedia& book, const SourceFiles& files, ViewMode mode,
                           std::string_view searchText) {
    return guarded<ELoadError>("'" + files.Names.Titles + "'",
                               [&] { return BuildRows(book, mode, searchText); });
}

int runView(const Arguments& args, std::ostream& out, ViewMode mode,
            std::string_view searchText = {}) {
    SourceFiles files = ReadSource(args.Operands[0]);
    Encyclopedia book;
    LoadSource(book, files);
    std::vector<Row> rows = buildView(book, files, mode, searchText);
    if (args.Has("text")) {
        out << OutlineText(book, rows);
        return 0;
    }
    PrintRowsJson(out, rows);
    out << '\n';
    return 0;
}

} // namespace

void PrintJson(std::ostream& out, const Json& json) {
    out << json.dump(2) << '\n';
}

int RunDump(const Arguments& args, std::ostream& out) {
    SourceFiles files = ReadSource(args.Operands[0], args.Has("merge-files"));
    Encyclopedia book;
    LoadSource(book, files);
    PrintRecordsJson(out, book.GetEntryList());
    out << '\n';
    return 0;
}

int RunToc(const Arguments& args, std::ostream& out) {
    return runView(args, out, ViewMode::TableOfContents);
}

int RunIndex(const Arguments& args, std::ostream& out) {
    return runView(args, out, ViewMode::SubjectIndex);
}

int RunSearch(const Arguments& args, std::ostream& out) {
    return runView(args, out, ViewMode::Search, Utf8ToCp1252(args.Operands[1]));
}

int RunSave(const Arguments& args, std::ostream&) {
    SourceFiles files = ReadSource(args.Operands[0]);
    Encyclopedia book;
    LoadSource(book, files);
    if (args.Has("sorted"))
        guarded<ELoadError>("'" + files.Names.Titles + "'", [&] { book.ReorderEncyclopedia(); });
    SaveInto(book, args.Operands[1]);
    return 0;
}

} // namespace krel::cli
