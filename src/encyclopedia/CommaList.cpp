#include "encyclopedia/TextFormat.h"

namespace krel {
namespace {

// Characters that separate comma-list items; code 0 ends a text.
bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
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

CommaListReader::CommaListReader(std::string_view text) : text_(text.substr(0, text.find('\0'))) {
    skipBlanks();
}

std::optional<std::string_view> CommaListReader::Next() {
    if (finalEmpty_) {
        finalEmpty_ = false;
        start_ = end_ = text_.size();
        return std::string_view{};
    }
    if (pos_ >= text_.size())
        return std::nullopt;
    start_ = pos_;
    std::string_view item = text_[pos_] == '"' ? readQuoted() : readPlain();
    end_ = pos_;
    skipSeparator();
    return item;
}

// A double-quoted item: two double quotes inside stand for one; an unclosed item runs to the
// end. Most items hold no doubled quote and are returned as they stand in the text.
std::string_view CommaListReader::readQuoted() {
    size_t first = ++pos_;
    size_t quote = text_.find('"', first);
    if (quote == std::string_view::npos) {
        pos_ = text_.size();
        return text_.substr(first);
    }
    pos_ = quote + 1;
    if (pos_ >= text_.size() || text_[pos_] != '"')
        return text_.substr(first, quote - first);
    unquoted_.assign(text_.substr(first, quote - first));
    pos_ = quote;
    while (pos_ < text_.size()) {
        char c = text_[pos_++];
        if (c != '"') {
            unquoted_.push_back(c);
        } else if (pos_ < text_.size() && text_[pos_] == '"') {
            unquoted_.push_back('"');
            ++pos_;
        } else {
            break;
        }
    }
    return unquoted_;
}

std::string_view CommaListReader::readPlain() {
    size_t first = pos_;
    while (pos_ < text_.size() && !isBlank(text_[pos_]) && text_[pos_] != ',')
        ++pos_;
    return text_.substr(first, pos_ - first);
}

void CommaListReader::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

// Blanks, then at most one comma with the blanks after it; a comma that ends the text leaves
// one empty item to come.
void CommaListReader::skipSeparator() {
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == ',') {
        finalEmpty_ = pos_ + 1 == text_.size();
        ++pos_;
        skipBlanks();
    }
}

std::vector<CommaItem> ScanCommaList(std::string_view text) {
    std::vector<CommaItem> items;
    CommaListReader reader(text);
    while (auto item = reader.Next())
        items.push_back({reader.ItemStart(), reader.ItemEnd(), std::string(*item)});
    return items;
}

std::vector<std::string> SplitCommaList(std::string_view text) {
    std::vector<std::string> values;
    CommaListReader reader(text);
    while (auto item = reader.Next())
        values.emplace_back(*item);
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

} // namespace krel
