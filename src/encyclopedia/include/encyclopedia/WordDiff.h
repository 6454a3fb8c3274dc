#pragma once
// Which words differ between two versions of a text, so a window can highlight them side by
// side. A word is a run of letters and digits (accented letters included), the paragraph mark
// "/p", or any other single character that is not a blank; blanks only separate words. The
// words kept are a longest run of words the two texts share in order, so a changed word
// stands out, not the rest of its sentence.

#include <cstddef>
#include <string_view>
#include <vector>

namespace krel {

// A stretch of one of the texts, in bytes.
struct TextSpan {
    size_t Start = 0;
    size_t Length = 0;

    bool operator==(const TextSpan&) const = default;
};

// Changed words next to each other, with only blanks between them, make one span.
struct WordDifference {
    std::vector<TextSpan> Removed;  // in the text before: words the text after lacks
    std::vector<TextSpan> Inserted; // in the text after: words the text before lacks

    bool operator==(const WordDifference&) const = default;
};

// Texts that differ in too many words to pair them up cheaply have every word between their
// common beginning and end marked.
WordDifference DiffWords(std::string_view before, std::string_view after);

} // namespace krel
