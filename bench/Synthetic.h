#pragma once
// Made-up encyclopedias of any size for benchmarks: deterministic for a seed, with field sizes
// like a real one (short titles and picture names, a few keywords and related links, body
// texts of a few hundred characters in paragraphs). The default makes about 26 MB of UTF-16
// across the two files.

#include "encyclopedia/Entry.h"
#include "encyclopedia/Indexes.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
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

// What a benchmark on made-up encyclopedias is told: their shape and how often to time.
struct SyntheticBenchOptions {
    SyntheticOptions Synthetic;
    int Runs = 5;
};

// A benchmark program's main: reads the options "--entries N", "--headers N", "--seed N" and
// "--runs N" (at least 1) and runs the benchmark with them. A failure, an unknown option
// included, is reported with the usage, and the status is then 2.
int RunSyntheticBench(int argc, char** argv, const char* program,
                      const std::function<int(const SyntheticBenchOptions&)>& run);

// Takes the rows of a view and only counts them, for timing the views without a list to fill.
class CountingRows : public RowSink {
public:
    size_t Count = 0;
    void ClearRows() override { Count = 0; }
    void AddRow(const T_EncEntry*, bool) override { ++Count; }
};

} // namespace krel::bench
