// krel-writes-bench: the long runs of the crash and race trials of the safe-replace facility.
// Prints how many times a saving child was killed and after which step, whether every kill
// left a complete pair, and how many racing rounds and reads kept one writer's complete pair.
#include "BenchSupport.h"
#include "WriteTrials.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <random>

namespace krel::bench {
namespace {
namespace fs = std::filesystem;

struct WritesOptions {
    int Kills = 300;
    int Rounds = 1000;
    size_t Size = 4 << 20;
    unsigned Seed = std::random_device()();
};

WritesOptions parseOptions(int argc, char** argv) {
    WritesOptions options;
    ReadOptions(argc, argv, [&](const std::string& name, const std::string& value) {
        if (name == "--kills")
            options.Kills = std::stoi(value);
        else if (name == "--rounds")
            options.Rounds = std::stoi(value);
        else if (name == "--size")
            options.Size = std::stoul(value);
        else if (name == "--seed")
            options.Seed = static_cast<unsigned>(std::stoul(value));
        else
            return false;
        return true;
    });
    return options;
}

void printFaults(const std::vector<std::string>& faults) {
    for (const std::string& fault : faults)
        std::printf("  FAULT: %s\n", fault.c_str());
}

int run(const WritesOptions& options) {
    fs::path folder =
        fs::temp_directory_path() / ("krel-writes-bench-" + std::to_string(options.Seed));
    fs::remove_all(folder);
    double crashMs = 0;
    trials::CrashFigures crash;
    crashMs = MillisecondsOf([&] {
        crash = trials::RunCrashTrials(folder / "crash", options.Kills, options.Size, options.Seed);
    });
    std::printf("crash trials: two files of %zu bytes, seed %u, %.1f s\n", options.Size,
                options.Seed, crashMs / 1000);
    std::printf("  one save of the pair: %.1f ms\n", crash.SaveMilliseconds);
    std::printf("  kills: %d, inconsistent afterwards: %zu\n", crash.Kills, crash.Faults.size());
    for (const auto& [step, kills] : crash.StoppedAfter)
        std::printf("  stopped after %-22s %5d\n", (step + ":").c_str(), kills);
    for (const auto& [step, kills] : crash.RandomKillsAfter)
        std::printf("  killed at random after %-22s %5d\n", (step + ":").c_str(), kills);
    printFaults(crash.Faults);
    trials::RaceFigures race;
    double raceMs = MillisecondsOf(
        [&] { race = trials::RunRaceTrials(folder / "race", options.Rounds, options.Size / 16); });
    std::printf("race trials: two writers, %d rounds, %d concurrent reads, %.1f s\n", race.Rounds,
                race.Reads, raceMs / 1000);
    std::printf("  faults: %zu\n", race.Faults.size());
    printFaults(race.Faults);
    fs::remove_all(folder);
    return crash.Faults.empty() && race.Faults.empty() ? 0 : 1;
}

} // namespace
} // namespace krel::bench

int main(int argc, char** argv) {
    try {
        return krel::bench::run(krel::bench::parseOptions(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "krel-writes-bench: %s\n", e.what());
        return 2;
    }
}
