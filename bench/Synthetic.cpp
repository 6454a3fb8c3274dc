#include "Synthetic.h"

#include "BenchSupport.h"
#include "common/AtomicFile.h"
#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/Writer.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace krel::bench {
namespace {

// splitmix64: tiny, fast, and the same sequence on every platform and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t bound) { return static_cast<size_t>(Next() % bound); }
    size_t Between(size_t low, size_t high) { return low + Below(high - low + 1); }

private:
    std::uint64_t state_;
};

constexpr std::array<const char*, 24> kSyllables = {
    "ar",  "bel", "cor", "da",  "el",  "fen", "gar", "hal", "is", "jor", "ka",  "lum",
    "mir", "nor", "os",  "pel", "qua", "ren", "sel", "tor", "ul", "ven", "wyr", "zan"};

std::string makeWord(Random& random) {
    std::string word;
    for (size_t n = random.Between(1, 3); n > 0; --n)
        word += kSyllables[random.Below(kSyllables.size())];
    return word;
}

std::string capitalized(std::string word) {
    word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

// Four characters that no header number can equal: a letter, then base-36 digits.
std::string entryTag(size_t index) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    size_t value = index + 10 * 36 * 36 * 36;
    std::string tag(4, '0');
    for (int i = 3; i >= 0; --i, value /= 36)
        tag[i] = digits[value % 36];
    return tag;
}

std::string makeTitle(Random& random) {
    std::string title = capitalized(makeWord(random));
    for (size_t n = random.Between(0, 2); n > 0; --n)
        title += " " + capitalized(makeWord(random));
    return title;
}

std::string makeKeywords(Random& random) {
    std::vector<std::string> words;
    for (size_t n = random.Between(2, 6); n > 0; --n)
        words.push_back(makeWord(random));
    if (random.Below(100) == 0)
        words.push_back(SyntheticKeyword());
    return BuildCommaList(words);
}

std::string makeRelated(Random& random, size_t entries) {
    std::vector<std::string> tags;
    for (size_t n = random.Between(1, 5); n > 0; --n)
        tags.push_back(entryTag(random.Below(entries)));
    return BuildCommaList(tags);
}

// Sentences of made-up words, with a paragraph mark now and then.
std::string makeBody(Random& random) {
    std::string body;
    size_t length = random.Between(250, 750);
    while (body.size() < length) {
        std::string sentence = capitalized(makeWord(random));
        for (size_t n = random.Between(4, 14); n > 0; --n)
            sentence += " " + makeWord(random);
        body += sentence + (random.Below(4) == 0 ? "./p" : ". ");
    }
    return body;
}

T_EncEntry makeEntry(Random& random, size_t index, size_t entries) {
    T_EncEntry entry;
    entry.Kind = ekEntry;
    entry.Tag = entryTag(index);
    entry.Title = makeTitle(random);
    entry.Image = "Pic_" + capitalized(makeWord(random));
    entry.Keywords = makeKeywords(random);
    entry.Related = makeRelated(random, entries);
    entry.Content = makeBody(random);
    return entry;
}

T_EncEntry makeHeader(Random& random, size_t number, size_t first, size_t last) {
    std::vector<std::string> members;
    for (size_t index = first; index < last; ++index)
        members.push_back(entryTag(index));
    T_EncEntry header;
    header.Kind = ekHeader;
    header.Tag = FormatHeaderTag(static_cast<int>(number));
    header.Content = makeTitle(random) + ":" + BuildCommaList(members);
    return header;
}

SyntheticBenchOptions readOptions(int argc, char** argv) {
    SyntheticBenchOptions options;
    ReadOptions(argc, argv, [&](const std::string& name, const std::string& text) {
        size_t value = std::stoul(text);
        if (name == "--entries")
            options.Synthetic.Entries = value;
        else if (name == "--headers")
            options.Synthetic.Headers = value;
        else if (name == "--seed")
            options.Synthetic.Seed = value;
        else if (name == "--runs")
            options.Runs = std::max(1, static_cast<int>(value));
        else
            return false;
        return true;
    });
    return options;
}

} // namespace

std::vector<T_EncEntry> MakeSyntheticRecords(const SyntheticOptions& options) {
    Random random(options.Seed);
    std::vector<T_EncEntry> records;
    records.reserve(options.Headers + options.Entries);
    size_t headers = std::max<size_t>(options.Headers, 1);
    for (size_t h = 0; h < options.Headers; ++h)
        records.push_back(makeHeader(random, h + 1, h * options.Entries / headers,
                                     (h + 1) * options.Entries / headers));
    for (size_t index = 0; index < options.Entries; ++index)
        records.push_back(makeEntry(random, index, options.Entries));
    return records;
}

SyntheticFiles MakeSyntheticFiles(const SyntheticOptions& options) {
    Encyclopedia book;
    book.Replace(MakeSyntheticRecords(options));
    return {EncodeTitlesFile(book.GetEntryList()), EncodeContentsFile(book.GetEntryList())};
}

void WriteSyntheticFiles(const std::filesystem::path& folder, const SyntheticOptions& options) {
    std::filesystem::create_directories(folder);
    SyntheticFiles files = MakeSyntheticFiles(options);
    WriteFileAtomic(folder / "wsEncyclopediaTitles.txt", files.Titles);
    WriteFileAtomic(folder / "wsEncyclopedia.txt", files.Contents);
}

std::string SyntheticKeyword() {
    return "beacon";
}

int RunSyntheticBench(int argc, char** argv, const char* program,
                      const std::function<int(const SyntheticBenchOptions&)>& run) {
    try {
        return run(readOptions(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr,
                     "%s: %s\nUsage: %s [--entries N] [--headers N] [--seed N] [--runs N]\n",
                     program, e.what(), program);
        return 2;
    }
}

} // namespace krel::bench
