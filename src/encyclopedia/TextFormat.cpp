#include "encyclopedia/TextFormat.h"

#include "common/Blanks.h"
#include "encyclopedia/Utf16Text.h"

#include <algorithm>
#include <stdexcept>

namespace krel {
namespace {

std::string_view untilNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Finds line breaks with one search per kind of break character, remembering the next of each
// so that no character is looked at twice.
class BreakFinder {
public:
    explicit BreakFinder(std::string_view text)
        : text_(text), cr_(text.find('\r')), lf_(text.find('\n')) {}

    size_t NextFrom(size_t start) {
        if (cr_ < start)
            cr_ = text_.find('\r', start);
        if (lf_ < start)
            lf_ = text_.find('\n', start);
        return std::min(cr_, lf_);
    }

private:
    std::string_view text_;
    size_t cr_;
    size_t lf_;
};

// Record lines begin with what is looked for, so only other lines are searched whole.
bool startsRecord(std::string_view line) {
    if (line.starts_with('|') || line.starts_with("\\*"))
        return true;
    return line.find('|') != std::string_view::npos || line.find("\\*") != std::string_view::npos;
}

// Copy(text, position, count) with a 1-based position: short texts give short results.
std::string_view column(std::string_view line, size_t position, size_t count) {
    if (position > line.size())
        return {};
    return line.substr(position - 1, count);
}

KindCode kindOf(std::string_view code) {
    if (code.size() != 3 || code[0] != 'E' || code[1] != 'G')
        return KindCode::None;
    switch (code[2]) {
    case 'H':
        return KindCode::EGH;
    case 'T':
        return KindCode::EGT;
    case 'I':
        return KindCode::EGI;
    case 'K':
        return KindCode::EGK;
    case 'R':
        return KindCode::EGR;
    case 'C':
        return KindCode::EGC;
    default:
        return KindCode::None;
    }
}

RecordCut cutBarForm(std::string_view line) {
    std::string_view value = column(line, 12, std::string_view::npos);
    size_t quote = value.find('"');
    std::string_view tail =
        quote == std::string_view::npos ? std::string_view{} : value.substr(quote + 1);
    return {kindOf(column(line, 2, 3)), column(line, 6, 4), value.substr(0, quote), tail};
}

RecordCut cutBackslashForm(std::string_view line) {
    return {kindOf(column(line, 3, 3)),
            column(line, 7, 4),
            Trimmed(column(line, 12, std::string_view::npos)),
            {}};
}

} // namespace

std::string DecodeEncyclopediaText(std::string_view fileBytes) {
    if (fileBytes.empty() || static_cast<unsigned char>(fileBytes[0]) != 0xFF)
        return std::string(untilNul(fileBytes));
    if (fileBytes.size() < 2)
        return {};
    const auto* units = reinterpret_cast<const unsigned char*>(fileBytes.data()) + 2;
    return DecodeUtf16LeText(units, (fileBytes.size() - 2) / 2);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    BreakFinder breaks(text);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = breaks.NextFrom(start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

std::vector<std::string_view> EncyclopediaLinesOf(std::string_view text) {
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty())
        throw std::runtime_error("List index out of bounds (0)");
    lines.erase(lines.begin());
    return lines;
}

std::vector<std::string> ReadEncyclopediaLines(std::string_view fileBytes) {
    std::string text = DecodeEncyclopediaText(fileBytes);
    std::vector<std::string_view> lines = EncyclopediaLinesOf(text);
    return std::vector<std::string>(lines.begin(), lines.end());
}

std::string RecordCut::Value() const {
    std::string value;
    value.reserve(Head.size() + Tail.size());
    value.append(Head).append(Tail);
    return value;
}

std::optional<RecordCut> CutRecordView(std::string_view candidate) {
    if (candidate.starts_with('|'))
        return cutBarForm(candidate);
    if (candidate.starts_with('\\'))
        return cutBackslashForm(candidate);
    return std::nullopt;
}

std::optional<RecordLine> CutRecordLine(std::string_view candidate) {
    std::optional<RecordCut> cut = CutRecordView(candidate);
    if (!cut)
        return std::nullopt;
    return RecordLine{cut->Code, std::string(cut->Tag), cut->Value()};
}

RecordGatherer::RecordGatherer(const std::vector<std::string>& lines)
    : lines_(lines.begin(), lines.end()) {}

std::string_view RecordGatherer::NextCandidateView() {
    std::string_view candidate = lines_[next_++];
    candidateEnd_ = next_;
    bool joined = false;
    for (; next_ < lines_.size() && !startsRecord(lines_[next_]); ++next_) {
        if (lines_[next_].empty())
            continue;
        if (!joined)
            joined_.assign(candidate);
        joined = true;
        joined_.append(lines_[next_]);
    }
    return joined ? std::string_view(joined_) : candidate;
}

std::string_view HeaderTitle(std::string_view content) {
    return content.substr(0, content.find(':'));
}

std::string_view HeaderMembers(std::string_view content) {
    size_t colon = content.find(':');
    return colon == std::string_view::npos ? std::string_view{} : content.substr(colon + 1);
}

std::string EncodeEncyclopediaText(std::string_view text) {
    std::string bytes;
    bytes.reserve(2 * text.size() + 3);
    bytes += "\xFF\xFE";
    AppendUtf16LeText(text, bytes);
    bytes.push_back('\0');
    return bytes;
}

} // namespace krel
