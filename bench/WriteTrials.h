#pragma once
// Trials of the safe-replace facility against crashes and races, shared by the tests (short
// runs) and the writes benchmark (long runs). A trial pair is two files that name their
// generation and writer at both ends, so a reader can tell a complete pair from a mixed or a
// torn one.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace krel::trials {

struct PairStamp {
    std::uint64_t Generation = 0;
    int Writer = 0;
    bool operator==(const PairStamp&) const = default;
};

// Writes the trial pair of stamp into folder (files of about size bytes each).
void SavePair(const std::filesystem::path& folder, PairStamp stamp, size_t size);
// Reads the pair in folder as the program reads a pair. Throws when the files are not one
// writer's complete pair of one generation.
PairStamp ReadPair(const std::filesystem::path& folder);

struct CrashFigures {
    double SaveMilliseconds = 0; // one save of the pair, by the parent
    int Kills = 0;
    // Kills by the last step the child reached: stopped there on purpose, or killed at random.
    std::map<std::string, int> StoppedAfter;
    std::map<std::string, int> RandomKillsAfter;
    std::vector<std::string> Faults; // empty when every kill left a consistent pair
};

// Kills a child that saves pair after pair: once exactly after each step of a replacement (and
// once in the middle of undoing one), then randomKills times at random instants. After each
// kill the pair must be the complete old or new one, and the next save must succeed and leave
// nothing else behind.
CrashFigures RunCrashTrials(const std::filesystem::path& folder, int randomKills, size_t size,
                            unsigned seed);

struct RaceFigures {
    int Rounds = 0;
    int Reads = 0;
    std::vector<std::string> Faults;
};

// Two writers save into one folder at once, rounds times, while a reader reads the pair. The
// pair in place after a round must be the complete pair of the writer whose save finished
// last; every read must be a complete pair.
RaceFigures RunRaceTrials(const std::filesystem::path& folder, int rounds, size_t size);

} // namespace krel::trials
