// krel-encyclopedia-bench: times the encyclopedia store on a large made-up encyclopedia and
// compares it with iconv converting the same files.

#include "BenchSupport.h"
#include "Synthetic.h"
#include "common/AtomicFile.h"
#include "common/Platform.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Indexes.h"
#include "encyclopedia/Parser.h"
#include "encyclopedia/Writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace krel::bench {
namespace {
namespace fs = std::filesystem;

using BenchOptions = SyntheticBenchOptions;

// The editor's own road: the parser's Execute, then a normal load's install on completion.
std::unique_ptr<Encyclopedia> load(const fs::path& folder) {
    auto book = std::make_unique<Encyclopedia>();
    Execute(folder, false, {},
            [&](const ParseResult& parsed) { InstallParsed(*book, parsed.Records); });
    return book;
}

const LogFn kQuiet = [](const std::string&) {
};

std::optional<double> iconvMilliseconds(const fs::path& folder, int runs) {
    if (std::system("command -v iconv >/dev/null 2>&1") != 0)
        return std::nullopt;
    // -c skips the byte-order mark, which has no 8-bit form.
    std::string command;
    for (const fs::path& file : {TitlesFileIn(folder), ContentsFileIn(folder)})
        command += "iconv -c -f UTF-16LE -t CP1252 '" + file.string() + "' >/dev/null 2>&1; ";
    return MedianOf(runs,
                    [&] { return MillisecondsOf([&] { (void)std::system(command.c_str()); }); });
}

std::optional<double> vmHighWaterMark() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return std::nullopt;
}

std::string figure(std::optional<double> value, const char* unit) {
    if (!value || std::isnan(*value))
        return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", *value, unit);
    return text;
}

// A limit of NaN means the figure has no target, or the target could not be worked out.
void printLine(const std::string& name, std::optional<double> value, const char* unit,
               const std::string& target = "", double limit = std::nan("")) {
    std::string verdict;
    if (value && !std::isnan(limit))
        verdict = *value <= limit ? "  met" : "  MISSED";
    std::printf("  %-36s %12s   %s%s\n", name.c_str(), figure(value, unit).c_str(), target.c_str(),
                verdict.c_str());
}

struct Figures {
    double Load = 0, TocFirst = 0, TocRebuild = 0, Index = 0, Search = 0, Save = 0;
    size_t SearchRows = 0;
};

Figures measure(const fs::path& folder, int runs) {
    Figures f;
    f.Load = MedianOf(runs, [&] { return MillisecondsOf([&] { load(folder); }); });
    CountingRows rows;
    f.TocFirst = MedianOf(runs, [&] {
        auto book = load(folder);
        return MillisecondsOf([&] { BuildTOC(*book, rows, kQuiet); });
    });
    auto book = load(folder);
    BuildTOC(*book, rows, kQuiet);
    f.TocRebuild =
        MedianOf(runs, [&] { return MillisecondsOf([&] { BuildTOC(*book, rows, kQuiet); }); });
    f.Index = MedianOf(
        runs, [&] { return MillisecondsOf([&] { BuildSubjectIndex(*book, rows, kQuiet); }); });
    f.Search = MedianOf(runs, [&] {
        return MillisecondsOf([&] { BuildKeyword(*book, SyntheticKeyword(), rows); });
    });
    f.SearchRows = rows.Count;
    fs::path out = folder / "saved";
    fs::create_directories(out);
    f.Save = MedianOf(runs,
                      [&] { return MillisecondsOf([&] { SaveCurrentEncyclopedia(*book, out); }); });
    return f;
}

void report(const BenchOptions& options, double fileMegabytes, const Figures& f,
            std::optional<double> iconv, std::optional<double> peak) {
    const SyntheticOptions& s = options.Synthetic;
    std::printf("Synthetic encyclopedia: %zu entries, %zu headers, seed %llu, %.1f MB in the two "
                "files\nMedian of %d runs:\n",
                s.Entries, s.Headers, static_cast<unsigned long long>(s.Seed), fileMegabytes,
                options.Runs);
    double twiceIconv = iconv ? 2 * *iconv : std::nan("");
    std::string iconvTarget = "target <= 2 x iconv = " + figure(twiceIconv, "ms");
    printLine("load (read, decode, parse, install)", f.Load, "ms", iconvTarget, twiceIconv);
    printLine("table of contents, first build", f.TocFirst, "ms", "target <= 20 ms", 20.0);
    printLine("table of contents, rebuild", f.TocRebuild, "ms", "target <= 20 ms", 20.0);
    printLine("subject index", f.Index, "ms");
    printLine("keyword search (" + std::to_string(f.SearchRows) + " rows)", f.Search, "ms");
    printLine("save", f.Save, "ms", iconvTarget, twiceIconv);
    printLine("iconv -f UTF-16LE -t CP1252", iconv, "ms");
    printLine("peak memory (VmHWM)", peak, "MB",
              "target <= 3 x file bytes = " + figure(3 * fileMegabytes, "MB"), 3 * fileMegabytes);
}

// The peak of a fresh process that loads once, builds each view and saves: what one editing
// session costs, free of the other measurements' leftovers in the heap.
std::optional<double> peakMegabytes(const fs::path& folder) {
    return RunInChildProcess([&] {
        auto book = load(folder);
        CountingRows rows;
        BuildTOC(*book, rows, kQuiet);
        BuildSubjectIndex(*book, rows, kQuiet);
        BuildKeyword(*book, SyntheticKeyword(), rows);
        fs::create_directories(folder / "saved");
        SaveCurrentEncyclopedia(*book, folder / "saved");
        return vmHighWaterMark().value_or(-1);
    });
}

double megabytesOf(const fs::path& folder) {
    return static_cast<double>(fs::file_size(TitlesFileIn(folder)) +
                               fs::file_size(ContentsFileIn(folder))) /
           (1024.0 * 1024.0);
}

int run(const BenchOptions& options) {
    fs::path folder = fs::temp_directory_path() / ("krel-bench-" + std::to_string(getpid()));
    if (!RunInChildProcess([&] { return WriteSyntheticFiles(folder, options.Synthetic), 0.0; }))
        throw std::runtime_error("could not write the synthetic encyclopedia into " +
                                 folder.string());
    std::optional<double> peak = peakMegabytes(folder);
    Figures figures = measure(folder, options.Runs);
    std::optional<double> iconv = iconvMilliseconds(folder, options.Runs);
    report(options, megabytesOf(folder), figures, iconv, peak);
    fs::remove_all(folder);
    return 0;
}

} // namespace
} // namespace krel::bench

int main(int argc, char** argv) {
    return krel::bench::RunSyntheticBench(argc, argv, "krel-encyclopedia-bench", krel::bench::run);
}
