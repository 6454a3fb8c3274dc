#include "encyclopedia/WordDiff.h"

#include "encyclopedia/Letters.h"

#include <algorithm>

namespace krel {
namespace {

// Beyond this many inserted and removed words a text is marked whole: the search keeps one row
// of positions per edit, so its time and memory grow with the square of this.
constexpr int kMostEdits = 500;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool isWordCharacter(char c) {
    return (c >= '0' && c <= '9') || IsCp1252Letter(c);
}

// The length of the word that starts at pos.
size_t wordLength(std::string_view text, size_t pos) {
    if (text.substr(pos, 2) == "/p")
        return 2;
    size_t end = pos;
    while (end < text.size() && isWordCharacter(text[end]))
        ++end;
    return std::max<size_t>(end - pos, 1);
}

std::vector<TextSpan> wordsOf(std::string_view text) {
    std::vector<TextSpan> words;
    for (size_t pos = 0; pos < text.size();) {
        if (isBlank(text[pos])) {
            ++pos;
            continue;
        }
        size_t length = wordLength(text, pos);
        words.push_back({pos, length});
        pos += length;
    }
    return words;
}

// The words of one text with a mark for each word the other text lacks.
struct Side {
    std::string_view Text;
    std::vector<TextSpan> Words;
    std::vector<bool> Changed;

    explicit Side(std::string_view text)
        : Text(text), Words(wordsOf(text)), Changed(Words.size(), false) {}
    std::string_view Word(size_t index) const {
        return Text.substr(Words[index].Start, Words[index].Length);
    }
};

// Runs the shortest-edit search of Myers over the words between the common beginning and end
// (the ranges [a0, a1) and [b0, b1)) and marks the words it removes and inserts. Each step d
// keeps, for every diagonal k = x - y within reach, the furthest x reached; the rows kept let
// the path be walked back. Returns false when more than kMostEdits edits are needed.
class EditSearch {
public:
    EditSearch(Side& a, Side& b, size_t a0, size_t a1, size_t b0, size_t b1)
        : a_(a), b_(b), a0_(a0), b0_(b0), n_(static_cast<int>(a1 - a0)),
          m_(static_cast<int>(b1 - b0)) {}

    bool Run() {
        int most = std::min(n_ + m_, kMostEdits);
        std::vector<int> furthest(2 * static_cast<size_t>(most) + 3, 0);
        for (int d = 0; d <= most; ++d) {
            rows_.emplace_back(furthest.begin() + offset(most, -d),
                               furthest.begin() + offset(most, d) + 1);
            if (step(furthest, most, d)) {
                walkBack(d);
                return true;
            }
        }
        return false;
    }

private:
    static size_t offset(int most, int k) { return static_cast<size_t>(k + most + 1); }

    bool same(int x, int y) const {
        return a_.Word(a0_ + static_cast<size_t>(x)) == b_.Word(b0_ + static_cast<size_t>(y));
    }

    // Whether diagonal k is reached from k + 1 (an insertion) rather than from k - 1.
    static bool fromAbove(int k, int d, int below, int above) {
        return k == -d || (k != d && below < above);
    }

    bool step(std::vector<int>& furthest, int most, int d) const {
        for (int k = -d; k <= d; k += 2) {
            int below = k > -d ? furthest[offset(most, k - 1)] : 0;
            int above = k < d ? furthest[offset(most, k + 1)] : 0;
            int x = fromAbove(k, d, below, above) ? above : below + 1;
            int y = x - k;
            while (x < n_ && y < m_ && same(x, y))
                ++x, ++y;
            furthest[offset(most, k)] = x;
            if (x >= n_ && y >= m_)
                return true;
        }
        return false;
    }

    // rows_[d] holds the furthest x per diagonal -d..d as step d found them before it ran.
    void walkBack(int steps) {
        int x = n_;
        int y = m_;
        for (int d = steps; d > 0; --d) {
            const std::vector<int>& row = rows_[static_cast<size_t>(d)];
            int k = x - y;
            auto at = [&](int diagonal) {
                return row[static_cast<size_t>(diagonal + d)];
            };
            bool inserted = fromAbove(k, d, k > -d ? at(k - 1) : 0, k < d ? at(k + 1) : 0);
            int previousK = inserted ? k + 1 : k - 1;
            x = at(previousK);
            y = x - previousK;
            if (inserted)
                b_.Changed[b0_ + static_cast<size_t>(y)] = true;
            else
                a_.Changed[a0_ + static_cast<size_t>(x)] = true;
        }
    }

    Side& a_;
    Side& b_;
    size_t a0_, b0_;
    int n_, m_;
    std::vector<std::vector<int>> rows_;
};

void markRange(Side& side, size_t first, size_t last) {
    std::fill(side.Changed.begin() + static_cast<long>(first),
              side.Changed.begin() + static_cast<long>(last), true);
}

// Joins marked words that follow one another into spans.
std::vector<TextSpan> spansOf(const Side& side) {
    std::vector<TextSpan> spans;
    bool extending = false;
    for (size_t i = 0; i < side.Words.size(); ++i) {
        const TextSpan& word = side.Words[i];
        if (side.Changed[i] && extending)
            spans.back().Length = word.Start + word.Length - spans.back().Start;
        else if (side.Changed[i])
            spans.push_back(word);
        extending = side.Changed[i];
    }
    return spans;
}

} // namespace

WordDifference DiffWords(std::string_view before, std::string_view after) {
    Side a(before);
    Side b(after);
    size_t head = 0;
    while (head < a.Words.size() && head < b.Words.size() && a.Word(head) == b.Word(head))
        ++head;
    size_t aEnd = a.Words.size();
    size_t bEnd = b.Words.size();
    while (aEnd > head && bEnd > head && a.Word(aEnd - 1) == b.Word(bEnd - 1))
        --aEnd, --bEnd;
    if (!EditSearch(a, b, head, aEnd, head, bEnd).Run()) {
        markRange(a, head, aEnd);
        markRange(b, head, bEnd);
    }
    return {spansOf(a), spansOf(b)};
}

} // namespace krel
