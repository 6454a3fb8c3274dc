#include "WriteTrials.h"

#include "common/AtomicFile.h"
#include "common/Platform.h"

#include <atomic>
#include <chrono>
#include <latch>
#include <mutex>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace krel::trials {
namespace fs = std::filesystem;
namespace {

const char* const kTitles = "wsEncyclopediaTitles.txt";
const char* const kContents = "wsEncyclopedia.txt";

// Reports from a saving child: a finished save, a step reached, a stop at the chosen step.
constexpr std::uint64_t kSaved = std::uint64_t{1} << 60;
constexpr std::uint64_t kStep = std::uint64_t{2} << 60;
constexpr std::uint64_t kStopped = std::uint64_t{3} << 60;
constexpr std::uint64_t kValue = kSaved - 1;

struct Stop {
    ReplaceStep Step;
    size_t File;
};

std::string headOf(const std::string& kind, PairStamp stamp, size_t size) {
    return "krel trial " + kind + " writer " + std::to_string(stamp.Writer) + " generation " +
           std::to_string(stamp.Generation) + " size " + std::to_string(size) + "\n";
}

std::string pairFile(const std::string& kind, PairStamp stamp, size_t size) {
    std::string head = headOf(kind, stamp, size);
    std::string text = head;
    text.resize(size, static_cast<char>('a' + stamp.Generation % 26));
    return text + head;
}

// The stamp of a complete file of the given kind, or nothing.
std::optional<PairStamp> stampOf(const std::string& kind, const std::string& text) {
    std::istringstream head(text.substr(0, text.find('\n')));
    std::string krel, trial, named, writer, generation, sized;
    PairStamp stamp;
    size_t size = 0;
    head >> krel >> trial >> named >> writer >> stamp.Writer >> generation >> stamp.Generation >>
        sized >> size;
    if (!head || named != kind || text != pairFile(kind, stamp, size))
        return std::nullopt;
    return stamp;
}

std::string describe(std::optional<PairStamp> stamp) {
    if (!stamp)
        return "a torn file";
    return "writer " + std::to_string(stamp->Writer) + " generation " +
           std::to_string(stamp->Generation);
}

std::string stepName(std::uint64_t code) {
    static const char* const names[] = {"folders held",    "temporaries written", "previous kept",
                                        "intent recorded", "target replaced",     "intent cleared",
                                        "rolling back"};
    return std::string(names[code >> 8]) + " " + std::to_string(code & 0xFF);
}

std::uint64_t stepCode(ReplaceStep step, size_t file) {
    return (static_cast<std::uint64_t>(step) << 8) | file;
}

// The child: saves generation after generation, reporting each step, and stops for good at
// stop when one is given.
void saveLoop(const fs::path& folder, std::uint64_t first, size_t size,
              const ChildProcess::Send& send, std::optional<Stop> stop) {
    SetReplaceStepHook([&](ReplaceStep step, size_t file) {
        send(kStep | stepCode(step, file));
        if (stop && stop->Step == step && stop->File == file) {
            send(kStopped);
            for (;;)
                std::this_thread::sleep_for(std::chrono::hours(1));
        }
    });
    for (std::uint64_t generation = first;; ++generation) {
        // A step that no save reaches must end the trial, not hang it.
        if (stop && generation > first + 2)
            throw std::runtime_error("the step was never reached");
        SavePair(folder, {generation, 1}, size);
        send(kSaved | generation);
    }
}

// What a killed child last said.
struct LastWords {
    std::optional<std::uint64_t> Saved;
    std::string Step = "starting";
    bool Stopped = false;
};

// Takes in the child's next report; false once the child has ended.
bool listen(ChildProcess& child, LastWords& words) {
    std::optional<std::uint64_t> report = child.Receive();
    if (!report)
        return false;
    std::uint64_t kind = *report & ~kValue;
    if (kind == kSaved) {
        words.Saved = *report & kValue;
        words.Step = "save reported";
    }
    if (kind == kStep)
        words.Step = stepName(*report & kValue);
    words.Stopped = words.Stopped || kind == kStopped;
    return true;
}

void killAndListen(ChildProcess& child, LastWords& words) {
    child.Kill();
    while (listen(child, words)) {
    }
}

class CrashTrials {
public:
    CrashTrials(fs::path folder, size_t size, unsigned seed)
        : folder_(std::move(folder)), size_(size), random_(seed) {}

    CrashFigures Run(int randomKills) {
        fs::create_directories(folder_);
        saveOwn();
        for (Stop stop : kStops)
            stopAt(stop, stop.Step == ReplaceStep::IntentCleared);
        stopWhileUndoing();
        figures_.SaveMilliseconds = timedOwnSave();
        for (int i = 0; i < randomKills; ++i)
            killAtRandom(figures_.SaveMilliseconds);
        return figures_;
    }

private:
    static constexpr Stop kStops[] = {
        {ReplaceStep::FoldersHeld, 0},    {ReplaceStep::TemporariesWritten, 0},
        {ReplaceStep::PreviousKept, 0},   {ReplaceStep::IntentRecorded, 0},
        {ReplaceStep::TargetReplaced, 0}, {ReplaceStep::TargetReplaced, 1},
        {ReplaceStep::IntentCleared, 0}};

    void saveOwn() {
        own_ = {++generation_, 0};
        SavePair(folder_, own_, size_);
    }

    double timedOwnSave() {
        auto start = std::chrono::steady_clock::now();
        saveOwn();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        return took.count();
    }

    // Starts a child that saves the next generations, stopping at stop if given.
    ChildProcess child(std::optional<Stop> stop) {
        std::uint64_t first = ++generation_;
        generation_ += 1000000;
        return ChildProcess([this, first, stop](const ChildProcess::Send& send) {
            saveLoop(folder_, first, size_, send, stop);
        });
    }

    LastWords stopChild(Stop stop) {
        ChildProcess saver = child(stop);
        LastWords words;
        while (!words.Stopped && listen(saver, words)) {
        }
        killAndListen(saver, words);
        return words;
    }

    void stopAt(Stop stop, bool newPairExpected) {
        std::uint64_t first = generation_ + 1;
        LastWords words = stopChild(stop);
        expect(words, newPairExpected ? PairStamp{first, 1} : own_);
    }

    // A crash while the next holder of the folder undoes an interrupted replacement.
    void stopWhileUndoing() {
        stopChild({ReplaceStep::TargetReplaced, 1});
        expect(stopChild({ReplaceStep::RollingBack, 0}), own_);
    }

    void killAtRandom(double saveMilliseconds) {
        std::uint64_t first = generation_ + 1;
        ChildProcess saver = child(std::nullopt);
        LastWords words;
        listen(saver, words);
        std::uniform_real_distribution<double> delay(0, 2 * saveMilliseconds);
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(delay(random_)));
        killAndListen(saver, words);
        std::uint64_t saved = words.Saved.value_or(first - 1);
        std::optional<PairStamp> found = readQuietly();
        PairStamp before = words.Saved ? PairStamp{saved, 1} : own_;
        bool consistent = found && (*found == before || *found == PairStamp{saved + 1, 1});
        ++figures_.RandomKillsAfter[words.Step];
        record(words, consistent, found);
    }

    void expect(const LastWords& words, PairStamp wanted) {
        std::optional<PairStamp> found = readQuietly();
        if (words.Stopped)
            ++figures_.StoppedAfter[words.Step];
        record(words, words.Stopped && found == wanted, found);
    }

    // After each kill the next save must succeed and leave nothing but the pair.
    void record(const LastWords& words, bool consistent, std::optional<PairStamp> found) {
        ++figures_.Kills;
        if (!consistent)
            figures_.Faults.push_back("after " + words.Step + ": " + describe(found));
        try {
            saveOwn();
            requireOnlyThePair();
        } catch (const std::exception& e) {
            figures_.Faults.push_back("the save after " + words.Step + ": " + e.what());
        }
    }

    std::optional<PairStamp> readQuietly() {
        try {
            return ReadPair(folder_);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }

    void requireOnlyThePair() {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
            std::string name = entry.path().filename().string();
            if (name != kTitles && name != kContents)
                throw std::runtime_error("left behind: " + name);
        }
    }

    fs::path folder_;
    size_t size_;
    std::mt19937 random_;
    std::uint64_t generation_ = 0;
    PairStamp own_;
    CrashFigures figures_;
};

class RaceTrials {
public:
    RaceTrials(fs::path folder, size_t size) : folder_(std::move(folder)), size_(size) {}

    RaceFigures Run(int rounds) {
        fs::create_directories(folder_);
        SavePair(folder_, {0, 0}, size_);
        SetReplaceStepHook([this](ReplaceStep step, size_t) { noteFinish(step); });
        std::thread reader([this] { readUntilDone(); });
        for (int round = 1; round <= rounds; ++round)
            race(static_cast<std::uint64_t>(round));
        done_ = true;
        reader.join();
        SetReplaceStepHook(nullptr);
        figures_.Rounds = rounds;
        return figures_;
    }

private:
    // The last step of a save happens while its writer holds the folder: the order of these
    // notes is the order in which the saves took effect.
    void noteFinish(ReplaceStep step) {
        if (step != ReplaceStep::IntentCleared)
            return;
        std::lock_guard<std::mutex> guard(mutex_);
        finished_.push_back(writer_);
    }

    void race(std::uint64_t round) {
        finished_.clear();
        std::latch start(2);
        std::thread first([&] { write(start, {round, 1}); });
        std::thread second([&] { write(start, {round, 2}); });
        first.join();
        second.join();
        std::optional<PairStamp> found = readQuietly();
        if (finished_.size() != 2 || found != PairStamp{round, finished_.back()})
            fault("round " + std::to_string(round) + " left " + describe(found));
    }

    void write(std::latch& start, PairStamp stamp) {
        writer_ = stamp.Writer;
        start.arrive_and_wait();
        try {
            SavePair(folder_, stamp, size_);
        } catch (const std::exception& e) {
            fault("writer " + std::to_string(stamp.Writer) + " failed: " + e.what());
        }
    }

    void readUntilDone() {
        while (!done_) {
            if (!readQuietly())
                fault("a reader found a mixed or torn pair");
            ++figures_.Reads;
        }
    }

    std::optional<PairStamp> readQuietly() {
        try {
            return ReadPair(folder_);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }

    void fault(const std::string& text) {
        std::lock_guard<std::mutex> guard(mutex_);
        figures_.Faults.push_back(text);
    }

    static thread_local int writer_;
    fs::path folder_;
    size_t size_;
    std::mutex mutex_;
    std::vector<int> finished_;
    std::atomic<bool> done_{false};
    RaceFigures figures_;
};

thread_local int RaceTrials::writer_ = 0;

} // namespace

void SavePair(const fs::path& folder, PairStamp stamp, size_t size) {
    ReplaceFilesAtomically({{folder / kTitles, pairFile("titles", stamp, size)},
                            {folder / kContents, pairFile("contents", stamp, size)}});
}

PairStamp ReadPair(const fs::path& folder) {
    std::vector<std::string> files = ReadFilesTogether({folder / kTitles, folder / kContents});
    std::optional<PairStamp> titles = stampOf("titles", files[0]);
    std::optional<PairStamp> contents = stampOf("contents", files[1]);
    if (!titles || titles != contents)
        throw std::runtime_error("titles of " + describe(titles) + ", contents of " +
                                 describe(contents));
    return *titles;
}

CrashFigures RunCrashTrials(const fs::path& folder, int randomKills, size_t size, unsigned seed) {
    return CrashTrials(folder, size, seed).Run(randomKills);
}

RaceFigures RunRaceTrials(const fs::path& folder, int rounds, size_t size) {
    return RaceTrials(folder, size).Run(rounds);
}

} // namespace krel::trials
