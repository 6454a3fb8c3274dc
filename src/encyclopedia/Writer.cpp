#include "encyclopedia/Writer.h"

#include "common/AtomicFile.h"
#include "common/TextCodec.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <initializer_list>

namespace krel {
namespace {

// Assembles a file's bytes directly: the mark FF FE, the UTF-16LE lines each ended by CR LF,
// and one 0x00 byte.
class FileBytes {
public:
    explicit FileBytes(size_t expectedChars) {
        bytes_.reserve(2 * expectedChars + 3);
        bytes_ += "\xFF\xFE";
    }

    void Line(std::initializer_list<std::string_view> parts = {}) {
        for (std::string_view part : parts)
            AppendCp1252AsUtf16Le(part, bytes_);
        AppendCp1252AsUtf16Le("\r\n", bytes_);
    }

    // A bar-form line: prefix, tag, a vertical bar and the value in double quotes.
    void BarLine(std::string_view prefix, const std::string& tag, const std::string& value) {
        Line({prefix, tag, "|\"", value, "\""});
    }

    std::string Finish() {
        bytes_.push_back('\0');
        return std::move(bytes_);
    }

private:
    std::string bytes_;
};

// Characters of the record fields plus room for every line's fixed parts.
size_t expectedChars(const Encyclopedia::EntryList& records) {
    size_t chars = 64;
    for (const auto& record : records)
        chars += record->Title.size() + record->Image.size() + record->Keywords.size() +
                 record->Related.size() + record->Content.size() + 5 * record->Tag.size() + 64;
    return chars;
}

void writeEntryTitles(const T_EncEntry& entry, FileBytes& out) {
    out.Line();
    out.BarLine("|EGT_", entry.Tag, entry.Title);
    if (!entry.Image.empty())
        out.BarLine("|EGI_", entry.Tag, entry.Image);
    if (!entry.Keywords.empty())
        out.BarLine("|EGK_", entry.Tag, entry.Keywords);
    if (!entry.Related.empty())
        out.BarLine("|EGR_", entry.Tag, entry.Related);
}

} // namespace

std::string EncodeTitlesFile(const Encyclopedia::EntryList& records) {
    FileBytes out(expectedChars(records));
    out.Line({"\\\\Galactic Encyclopedia Topic Information"});
    out.Line();
    for (const auto& record : records) {
        if (record->Kind == ekHeader)
            out.BarLine("|EGH_", record->Tag, record->Content);
        else if (record->Kind == ekEntry)
            writeEntryTitles(*record, out);
    }
    return out.Finish();
}

std::string EncodeContentsFile(const Encyclopedia::EntryList& records) {
    FileBytes out(expectedChars(records));
    out.Line({"\\\\Galactic Encyclopedia Contents"});
    out.Line();
    for (const auto& record : records) {
        if (record->Kind != ekEntry)
            continue;
        out.Line();
        if (!record->Content.empty())
            out.Line({"\\*EGC_", record->Tag, " ", record->Content});
    }
    return out.Finish();
}

void SaveCurrentEncyclopedia(const Encyclopedia& encyclopedia,
                             const std::filesystem::path& folder) {
    guarded<EEncEditorError>("SaveCurrentEncyclopedia()", [&] {
        const Encyclopedia::EntryList& records = encyclopedia.GetEntryList();
        std::vector<FileContent> files;
        files.emplace_back(folder / kTitlesFileName, EncodeTitlesFile(records));
        files.emplace_back(folder / kContentsFileName, EncodeContentsFile(records));
        ReplaceFilesAtomically(files);
    });
}

} // namespace krel
