#pragma once
// Made-up encyclopedias of any size for benchmarks: deterministic for a seed, with field sizes
// like a real one (short titles and picture names, a few keywords and related links, body
// texts of a few hundred characters in paragraphs). The default makes about 26 MB of UTF-16
// across the two files.

#include "encyclopedia/Entry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace krel::bench {

struct SyntheticOptions {
    size_t Entries = 20000; // up to about 1.2 million: entry tags have four characters
    size_t Headers = 200;
    std::uint64_t Seed = 1;
};

// Headers first (each listing an even share of the entries), then the entries in no order.
std::vector<T_EncEntry> MakeSyntheticRecords(const SyntheticOptions& options);

// The two files as the writer produces them.
struct SyntheticFiles {
    std::string Titles;
    std::string Contents;
};
SyntheticFiles MakeSyntheticFiles(const SyntheticOptions& options);

// Writes "wsEncyclopediaTitles.txt" and "wsEncyclopedia.txt" into folder (created if needed).
void WriteSyntheticFiles(const std::filesystem::path& folder, const SyntheticOptions& options);

// A keyword about one entry in a hundred carries, for search benchmarks.
std::string SyntheticKeyword();

} // namespace krel::bench
