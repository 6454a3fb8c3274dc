#pragma once
// The two encyclopedia text files, "wsEncyclopediaTitles.txt" and "wsEncyclopedia.txt".
//
// file      := [FF FE utf16le-text | 8-bit-text], ending at the first NUL
// lines     := split at CR LF, lone CR, lone LF; the first line is dropped unread
// record    := candidate line + continuation lines (lines holding neither "|" nor "\*")
// bar form  := "|" K K K _ T T T T | " value      (value: first double quote deleted)
// backslash := "\" * K K K _ T T T T " " value    (value: trimmed of codes 0..32)
// K = kind code (EGH, EGT, EGI, EGK, EGR, EGC), T = tag character; the value starts at column 12.
//
// The reader accepts more than the writer produces; see the tests for the exact edges.

#include "common/EncyclopediaFiles.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace krel {

// Decodes a whole file: UTF-16LE when the first byte is 0xFF (mark dropped, odd last byte
// ignored), else 8-bit as it stands; in both cases the text ends at its first NUL.
std::string DecodeEncyclopediaText(std::string_view fileBytes);

// Splits at CR LF, lone CR and lone LF. A final line break does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads a file's bytes into its lines, the first line dropped. Throws std::runtime_error when
// the text holds no line at all.
std::vector<std::string> ReadEncyclopediaLines(std::string_view fileBytes);
// The same lines as views into an already decoded text, which must outlive them.
std::vector<std::string_view> EncyclopediaLinesOf(std::string_view text);

enum class KindCode { None, EGH, EGT, EGI, EGK, EGR, EGC };

struct RecordLine {
    KindCode Code = KindCode::None;
    std::string Tag;
    std::string Value;
};

// Cuts tag and value out of a joined candidate line; nullopt when the line begins with neither
// a vertical bar nor a backslash. An unknown kind code gives Code == KindCode::None.
std::optional<RecordLine> CutRecordLine(std::string_view candidate);

// The same cut as views into the candidate: the value is Head followed by Tail (the bar form's
// deleted double quote stood between them), so a parse copies each value once, into its record.
struct RecordCut {
    KindCode Code = KindCode::None;
    std::string_view Tag;
    std::string_view Head;
    std::string_view Tail;

    std::string Value() const;
};
std::optional<RecordCut> CutRecordView(std::string_view candidate);

// Walks the lines record by record: each call joins the continuation lines of the next
// candidate (the file's last line included) and reports how many lines it has consumed.
// The lines must outlive the gatherer.
class RecordGatherer {
public:
    explicit RecordGatherer(const std::vector<std::string>& lines);
    explicit RecordGatherer(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}
    bool AtEnd() const { return next_ >= lines_.size(); }
    size_t LineCount() const { return lines_.size(); }
    // Index just past the last candidate line, its continuation lines not counted (what the
    // progress percentage counts).
    size_t CandidateEnd() const { return candidateEnd_; }
    std::string NextCandidate() { return std::string(NextCandidateView()); }
    // The candidate without a copy: the line itself when only empty lines follow it, else a
    // joined text that stays valid until the next call.
    std::string_view NextCandidateView();

private:
    std::vector<std::string_view> lines_;
    std::string joined_;
    size_t next_ = 0;
    size_t candidateEnd_ = 0;
};

// Comma lists (header members, keywords, related tags): blanks separate items like commas,
// double quotes group, two double quotes inside quotes stand for one.
std::vector<std::string> SplitCommaList(std::string_view text);
// One item of a comma list with the span of text it was read from (quotes included), so that
// a list can be edited without rewriting its other items.
struct CommaItem {
    size_t Start = 0;
    size_t End = 0;
    std::string Value;
};
std::vector<CommaItem> ScanCommaList(std::string_view text);
// Reads a comma list item by item without building a list. An item is a view into the text,
// or, for a quoted item holding doubled quotes, into a buffer that the next call reuses.
class CommaListReader {
public:
    explicit CommaListReader(std::string_view text);
    // The next item, or nullopt after the last; ItemStart and ItemEnd then give its span.
    std::optional<std::string_view> Next();
    size_t ItemStart() const { return start_; }
    size_t ItemEnd() const { return end_; }

private:
    std::string_view readQuoted();
    std::string_view readPlain();
    void skipBlanks();
    void skipSeparator();

    std::string_view text_;
    std::string unquoted_;
    size_t pos_ = 0;
    size_t start_ = 0;
    size_t end_ = 0;
    bool finalEmpty_ = false;
};
// Joins with commas, quoting items holding a comma, a double quote or a code of 32 or less.
std::string BuildCommaList(const std::vector<std::string>& items);

// Header text helpers: the title is the text before the first colon (all of it without one).
std::string_view HeaderTitle(std::string_view content);
// The member list after the first colon, or an empty view when there is no colon.
std::string_view HeaderMembers(std::string_view content);

// Encodes a text for writing: FF FE, the UTF-16LE text, one 0x00 byte.
std::string EncodeEncyclopediaText(std::string_view text);

} // namespace krel
