#include "encyclopedia/Writer.h"

#include "common/AtomicFile.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/Utf16Text.h"

#include <initializer_list>

namespace krel {
namespace {

// The layout of a line, shared by the two stages of writing a file: counting its characters,
// then assembling its bytes in a buffer of exactly the right size.
template <class Sink> class LineWriter {
public:
    void Line(std::initializer_list<std::string_view> parts = {}) { sink_.AppendLine(parts); }

    // A bar-form line: prefix, tag, a vertical bar and the value in double quotes.
    void BarLine(std::string_view prefix, const std::string& tag, const std::string& value) {
        Line({prefix, tag, "|\"", value, "\""});
    }

    Sink& Out() { return sink_; }

private:
    Sink sink_;
};

using Parts = std::initializer_list<std::string_view>;

constexpr std::string_view kLineEnd = "\r\n";

size_t charsOf(Parts parts) {
    size_t chars = kLineEnd.size();
    for (std::string_view part : parts)
        chars += part.size();
    return chars;
}

class CharCount {
public:
    void AppendLine(Parts parts) { chars_ += charsOf(parts); }
    size_t Chars() const { return chars_; }

private:
    size_t chars_ = 0;
};

// The mark FF FE, the UTF-16LE text and one 0x00 byte.
class FileBytes {
public:
    void Reserve(size_t chars) {
        bytes_.reserve(2 * chars + 3);
        bytes_ += "\xFF\xFE";
    }
    // The buffer grows once per line; the line's parts are then written straight into it.
    void AppendLine(Parts parts) {
        size_t start = bytes_.size();
        bytes_.resize(start + 2 * charsOf(parts));
        char* out = bytes_.data() + start;
        for (std::string_view part : parts)
            out = WriteUtf16LeText(part, out);
        WriteUtf16LeText(kLineEnd, out);
    }
    std::string Finish() {
        bytes_.push_back('\0');
        return std::move(bytes_);
    }

private:
    std::string bytes_;
};

template <class Sink> void writeEntryTitles(const T_EncEntry& entry, LineWriter<Sink>& out) {
    out.Line();
    out.BarLine("|EGT_", entry.Tag, entry.Title);
    if (!entry.Image.empty())
        out.BarLine("|EGI_", entry.Tag, entry.Image);
    if (!entry.Keywords.empty())
        out.BarLine("|EGK_", entry.Tag, entry.Keywords);
    if (!entry.Related.empty())
        out.BarLine("|EGR_", entry.Tag, entry.Related);
}

template <class Sink>
void writeTitles(const Encyclopedia::EntryList& records, LineWriter<Sink>& out) {
    out.Line({"\\\\Galactic Encyclopedia Topic Information"});
    out.Line();
    for (const auto& record : records) {
        if (record->Kind == ekHeader)
            out.BarLine("|EGH_", record->Tag, record->Content);
        else if (record->Kind == ekEntry)
            writeEntryTitles(*record, out);
    }
}

template <class Sink>
void writeContents(const Encyclopedia::EntryList& records, LineWriter<Sink>& out) {
    out.Line({"\\\\Galactic Encyclopedia Contents"});
    out.Line();
    for (const auto& record : records) {
        if (record->Kind != ekEntry)
            continue;
        out.Line();
        if (!record->Content.empty())
            out.Line({"\\*EGC_", record->Tag, " ", record->Content});
    }
}

// Writes a file twice through write: once to count, once into a buffer of that size.
template <class Write> std::string encodeFile(const Encyclopedia::EntryList& records, Write write) {
    LineWriter<CharCount> counter;
    write(records, counter);
    LineWriter<FileBytes> bytes;
    bytes.Out().Reserve(counter.Out().Chars());
    write(records, bytes);
    return bytes.Out().Finish();
}

} // namespace

std::string EncodeTitlesFile(const Encyclopedia::EntryList& records) {
    return encodeFile(records, [](const auto& list, auto& out) { writeTitles(list, out); });
}

std::string EncodeContentsFile(const Encyclopedia::EntryList& records) {
    return encodeFile(records, [](const auto& list, auto& out) { writeContents(list, out); });
}

void SaveCurrentEncyclopedia(const Encyclopedia& encyclopedia,
                             const std::filesystem::path& folder) {
    guarded<EEncEditorError>("SaveCurrentEncyclopedia()", [&] {
        const Encyclopedia::EntryList& records = encyclopedia.GetEntryList();
        const std::string titles = EncodeTitlesFile(records);
        const std::string contents = EncodeContentsFile(records);
        ReplaceFilesAtomically(
            {{folder / kTitlesFileName, titles}, {folder / kContentsFileName, contents}});
    });
}

} // namespace krel
