#include "encyclopedia/TextFormat.h"

#include "common/TextCodec.h"

#include <stdexcept>

namespace krel {
namespace {

// Characters that separate comma-list items and that trimming removes; code 0 ends a text.
bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view untilNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

size_t unitsBeforeNul(const unsigned char* units, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (units[2 * i] == 0 && units[2 * i + 1] == 0)
            return i;
    return count;
}

bool startsRecord(std::string_view line) {
    return line.find('|') != std::string_view::npos || line.find("\\*") != std::string_view::npos;
}

// Copy(text, position, count) with a 1-based position: short texts give short results.
std::string_view column(std::string_view line, size_t position, size_t count) {
    if (position > line.size())
        return {};
    return line.substr(position - 1, count);
}

std::string_view trimmed(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

KindCode kindOf(std::string_view code) {
    static constexpr std::pair<std::string_view, KindCode> kCodes[] = {
        {"EGH", KindCode::EGH}, {"EGT", KindCode::EGT}, {"EGI", KindCode::EGI},
        {"EGK", KindCode::EGK}, {"EGR", KindCode::EGR}, {"EGC", KindCode::EGC}};
    for (const auto& [text, kind] : kCodes)
        if (code == text)
            return kind;
    return KindCode::None;
}

RecordLine cutBarForm(std::string_view line) {
    RecordLine record{kindOf(column(line, 2, 3)), std::string(column(line, 6, 4)),
                      std::string(column(line, 12, std::string_view::npos))};
    size_t quote = record.Value.find('"');
    if (quote != std::string::npos)
        record.Value.erase(quote, 1);
    return record;
}

RecordLine cutBackslashForm(std::string_view line) {
    return {kindOf(column(line, 3, 3)), std::string(column(line, 7, 4)),
            std::string(trimmed(column(line, 12, std::string_view::npos)))};
}

// A double-quoted item starting at text[pos]: two double quotes inside stand for one; an
// unclosed item runs to the end. Leaves pos just past the closing quote.
std::string readQuoted(std::string_view text, size_t& pos) {
    std::string value;
    ++pos;
    while (pos < text.size()) {
        char c = text[pos++];
        if (c != '"') {
            value.push_back(c);
        } else if (pos < text.size() && text[pos] == '"') {
            value.push_back('"');
            ++pos;
        } else {
            break;
        }
    }
    return value;
}

std::string readPlain(std::string_view text, size_t& pos) {
    size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos]) && text[pos] != ',')
        ++pos;
    return std::string(text.substr(start, pos - start));
}

void skipBlanks(std::string_view text, size_t& pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
}

bool needsQuotes(std::string_view item) {
    for (char c : item)
        if (isBlank(c) || c == '"' || c == ',')
            return true;
    return false;
}

void appendQuoted(std::string_view item, std::string& out) {
    out.push_back('"');
    for (char c : item) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    out.push_back('"');
}

} // namespace

std::string DecodeEncyclopediaText(std::string_view fileBytes) {
    if (fileBytes.empty() || static_cast<unsigned char>(fileBytes[0]) != 0xFF)
        return std::string(untilNul(fileBytes));
    std::string text;
    if (fileBytes.size() >= 2) {
        const auto* units = reinterpret_cast<const unsigned char*>(fileBytes.data()) + 2;
        AppendUtf16LeAsCp1252(units, unitsBeforeNul(units, (fileBytes.size() - 2) / 2), text);
    }
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
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

std::vector<std::string> ReadEncyclopediaLines(std::string_view fileBytes) {
    std::string text = DecodeEncyclopediaText(fileBytes);
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty())
        throw std::runtime_error("List index out of bounds (0)");
    return std::vector<std::string>(lines.begin() + 1, lines.end());
}

std::optional<RecordLine> CutRecordLine(std::string_view candidate) {
    if (candidate.starts_with('|'))
        return cutBarForm(candidate);
    if (candidate.starts_with('\\'))
        return cutBackslashForm(candidate);
    return std::nullopt;
}

std::string RecordGatherer::NextCandidate() {
    std::string candidate = lines_[next_++];
    candidateEnd_ = next_;
    while (next_ < lines_.size() && !startsRecord(lines_[next_]))
        candidate += lines_[next_++];
    return candidate;
}

std::vector<CommaItem> ScanCommaList(std::string_view text) {
    text = untilNul(text);
    std::vector<CommaItem> items;
    size_t pos = 0;
    skipBlanks(text, pos);
    while (pos < text.size()) {
        size_t start = pos;
        std::string value = text[pos] == '"' ? readQuoted(text, pos) : readPlain(text, pos);
        items.push_back({start, pos, std::move(value)});
        skipBlanks(text, pos);
        if (pos < text.size() && text[pos] == ',') {
            if (pos + 1 == text.size())
                items.push_back({text.size(), text.size(), {}});
            ++pos;
            skipBlanks(text, pos);
        }
    }
    return items;
}

std::vector<std::string> SplitCommaList(std::string_view text) {
    std::vector<std::string> values;
    for (CommaItem& item : ScanCommaList(text))
        values.push_back(std::move(item.Value));
    return values;
}

std::string BuildCommaList(const std::vector<std::string>& items) {
    // A lone empty item is written as a pair of quotes, or it would read back as no item.
    if (items.size() == 1 && items[0].empty())
        return "\"\"";
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        if (needsQuotes(items[i]))
            appendQuoted(items[i], out);
        else
            out += items[i];
    }
    return out;
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
    AppendCp1252AsUtf16Le(text, bytes);
    bytes.push_back('\0');
    return bytes;
}

} // namespace krel
