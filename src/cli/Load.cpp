#include "cli/Load.h"

#include "encyclopedia/Completion.h"
#include "encyclopedia/TextFormat.h"

namespace krel::cli {
namespace {

// The decoded text is empty, so the file has no line, exactly when its first four bytes decode
// to nothing: they hold the mark and the first code unit, or the first 8-bit character.
bool holdsNoLine(std::string_view bytes) {
    return DecodeEncyclopediaText(bytes.substr(0, 4)).empty();
}

void requireLine(std::string_view bytes, const std::string& name) {
    if (holdsNoLine(bytes))
        throw ELoadError("'" + name + "': the file holds no line");
}

} // namespace

ParseResult ParseSource(const SourceFiles& files) {
    requireLine(files.Bytes.Titles, files.Names.Titles);
    requireLine(files.Bytes.Contents, files.Names.Contents);
    return ParseEncyclopedia(files.Bytes.Titles, files.Bytes.Contents);
}

ParseResult LoadSource(Encyclopedia& book, const SourceFiles& files) {
    ParseResult parsed = ParseSource(files);
    InstallParsed(book, parsed.Records);
    return parsed;
}

} // namespace krel::cli
