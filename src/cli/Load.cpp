#include "cli/Load.h"

#include "encyclopedia/Completion.h"

namespace krel::cli {
namespace {

// A file holds no line exactly when its decoded text is empty.
void requireLine(const FileText& text, const std::string& name) {
    if (text.View().empty())
        throw ELoadError("'" + name + "': the file holds no line");
}

} // namespace

ParseResult ParseSource(SourceFiles& files) {
    requireLine(files.Texts.Titles, files.Names.Titles);
    requireLine(files.Texts.Contents, files.Names.Contents);
    ParseResult parsed =
        ParseEncyclopediaTexts(files.Texts.Titles.View(), files.Texts.Contents.View());
    files.Texts = {};
    return parsed;
}

ParseResult LoadSource(Encyclopedia& book, SourceFiles& files) {
    ParseResult parsed = ParseSource(files);
    InstallParsed(book, std::move(parsed.Records));
    parsed.Records.clear();
    return parsed;
}

} // namespace krel::cli
