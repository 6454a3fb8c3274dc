// krel-encyclopedia-bench: times the encyclopedia store on a large made-up encyclopedia beside
// iconv(3) converting the same bytes, and measures the peak memory of the editor's load and of
// every command of krel-encyclopedia.

#include "BenchSupport.h"
#include "IconvReference.h"
#include "PeakMemory.h"
#include "Synthetic.h"
#include "cli/Load.h"
#include "cli/Source.h"
#include "common/AtomicFile.h"
#include "common/Platform.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Indexes.h"
#include "encyclopedia/Parser.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/Writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace krel::bench {
namespace {
namespace fs = std::filesystem;

struct BenchOptions {
    SyntheticOptions Synthetic;
    int Runs = 5;
    bool Peaks = true;
    fs::path Keep; // where to leave the files for profiling; empty: a temporary folder
};

const char* const kUsage = "Usage: krel-encyclopedia-bench [--entries N] [--headers N] [--seed N] "
                           "[--runs N] [--peaks 0|1] [--keep FOLDER]\n";

BenchOptions parseOptions(int argc, char** argv) {
    BenchOptions options;
    ReadOptions(argc, argv, [&](const std::string& name, const std::string& text) {
        if (name == "--keep")
            options.Keep = text;
        else if (name == "--entries")
            options.Synthetic.Entries = std::stoul(text);
        else if (name == "--headers")
            options.Synthetic.Headers = std::stoul(text);
        else if (name == "--seed")
            options.Synthetic.Seed = std::stoul(text);
        else if (name == "--runs")
            options.Runs = std::max(1, std::stoi(text));
        else if (name == "--peaks")
            options.Peaks = std::stoi(text) != 0;
        else
            return false;
        return true;
    });
    return options;
}

// The editor's own road: the parser's Execute, then a normal load's install on completion.
std::unique_ptr<Encyclopedia> load(const fs::path& folder) {
    auto book = std::make_unique<Encyclopedia>();
    Execute(folder, false, {},
            [&](const ParseResult& parsed) { InstallParsed(*book, parsed.Records); });
    return book;
}

// The command-line tool's road: read the source, parse and install.
std::unique_ptr<Encyclopedia> toolLoad(const fs::path& folder) {
    auto book = std::make_unique<Encyclopedia>();
    cli::SourceFiles files = cli::ReadSource(folder);
    cli::LoadSource(*book, files);
    return book;
}

const LogFn kQuiet = [](const std::string&) {
};

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
    std::printf("  %-46s %10s   %s%s\n", name.c_str(), figure(value, unit).c_str(), target.c_str(),
                verdict.c_str());
    std::fflush(stdout);
}

// A figure beside its reference: "= 1.40 x iconv decode (120.0 ms), target <= 2 x".
void printRatio(const std::string& name, std::optional<double> value, const char* unit,
                const std::string& reference, std::optional<double> base, double limit) {
    bool comparable = value && base && *base > 0;
    char target[128] = "";
    if (comparable)
        std::snprintf(target, sizeof target, "= %.2f x %s (%s), target <= %.0f x", *value / *base,
                      reference.c_str(), figure(base, unit).c_str(), limit);
    printLine(name, value, unit, target, comparable ? limit * *base : std::nan(""));
}

// The files' bytes and their decoded texts, which the references convert.
struct Conversions {
    std::vector<std::string> Bytes;
    std::vector<std::string> Texts;

    std::vector<std::string_view> Utf16() const {
        std::vector<std::string_view> units;
        for (const std::string& bytes : Bytes)
            units.push_back(std::string_view(bytes).substr(2));
        return units;
    }
    std::vector<std::string_view> Cp1252() const { return {Texts.begin(), Texts.end()}; }
};

Conversions conversionsOf(const fs::path& folder) {
    Conversions c;
    for (const fs::path& file : {TitlesFileIn(folder), ContentsFileIn(folder)}) {
        c.Bytes.push_back(ReadWholeFile(file));
        c.Texts.push_back(DecodeEncyclopediaText(c.Bytes.back()));
    }
    return c;
}

// What a save builds before it writes.
void encodeBoth(const Encyclopedia& book) {
    std::string titles = EncodeTitlesFile(book.GetEntryList());
    std::string contents = EncodeContentsFile(book.GetEntryList());
}

struct Timings {
    std::vector<double> Load, ToolLoad, Save, SaveEncoding, Decode, Encode;
};

// Each run times the store and its reference one after the other, so both see the same load
// on the machine. A loaded encyclopedia is released after its time is taken.
Timings timeLoadAndSave(const fs::path& folder, int runs) {
    Conversions conversions = conversionsOf(folder);
    IconvReference decode = DecodeReference(), encode = EncodeReference();
    auto book = load(folder);
    fs::path out = folder / "saved";
    fs::create_directories(out);
    Timings t;
    std::unique_ptr<Encyclopedia> loaded;
    for (int i = 0; i < runs; ++i) {
        t.Decode.push_back(decode.Milliseconds(conversions.Utf16()).value_or(std::nan("")));
        t.Load.push_back(CpuMillisecondsOf([&] { loaded = load(folder); }));
        loaded.reset();
        t.ToolLoad.push_back(CpuMillisecondsOf([&] { loaded = toolLoad(folder); }));
        loaded.reset();
        t.Encode.push_back(encode.Milliseconds(conversions.Cp1252()).value_or(std::nan("")));
        t.Save.push_back(CpuMillisecondsOf([&] { SaveCurrentEncyclopedia(*book, out); }));
        t.SaveEncoding.push_back(CpuMillisecondsOf([&] { encodeBoth(*book); }));
    }
    return t;
}

struct ViewFigures {
    double TocFirst = 0, TocRebuild = 0, Index = 0, Search = 0;
    size_t SearchRows = 0;
};

ViewFigures timeViews(const fs::path& folder, int runs) {
    ViewFigures f;
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
    return f;
}

struct Peak {
    std::string Name;
    std::optional<double> Megabytes;
};

// What one editing session costs: load once, build each view and save.
void editorSession(const fs::path& folder) {
    auto book = load(folder);
    CountingRows rows;
    BuildTOC(*book, rows, kQuiet);
    BuildSubjectIndex(*book, rows, kQuiet);
    BuildKeyword(*book, SyntheticKeyword(), rows);
    fs::create_directories(folder / "saved");
    SaveCurrentEncyclopedia(*book, folder / "saved");
}

// Measured before anything large lives in this process, whose pages a child would share.
std::vector<Peak> measurePeaks(const fs::path& folder) {
    std::string source = folder.string(), saved = (folder / "saved-by-tool").string();
    std::vector<Peak> peaks = {
        {"editor load", PeakMegabytesOf([&] { load(folder); })},
        {"editor load, views and save", PeakMegabytesOf([&] { editorSession(folder); })}};
    const std::vector<std::vector<std::string>> commands = {
        {"dump", source},
        {"toc", source},
        {"index", source},
        {"search", source, SyntheticKeyword()},
        {"save", source, saved},
        {"merge", source, source},
        {"merge", source, source, "--overwrite=no", "--out", saved},
        {"check", source}};
    for (const std::vector<std::string>& args : commands) {
        std::string name = "krel-encyclopedia";
        for (const std::string& arg : args)
            name += " " + (arg == source ? "SRC" : arg == saved ? "OUT" : arg);
        peaks.push_back({name, ToolPeakMegabytes(args)});
    }
    return peaks;
}

double megabytesOf(const fs::path& folder) {
    return static_cast<double>(fs::file_size(TitlesFileIn(folder)) +
                               fs::file_size(ContentsFileIn(folder))) /
           (1024.0 * 1024.0);
}

void reportTimes(const Timings& t, const ViewFigures& f) {
    std::optional<double> decode = Median(t.Decode), encode = Median(t.Encode);
    printRatio("load, editor (read, decode, parse, install)", Median(t.Load), "ms", "iconv decode",
               decode, 2);
    printRatio("load, tool (read, decode, parse, install)", Median(t.ToolLoad), "ms",
               "iconv decode", decode, 2);
    printRatio("save (encode, write both files)", Median(t.Save), "ms", "iconv encode", encode, 2);
    printRatio("save's encoding alone", Median(t.SaveEncoding), "ms", "iconv encode", encode, 2);
    printLine("iconv(3) UTF-16LE -> WINDOWS-1252", decode, "ms");
    printLine("iconv(3) WINDOWS-1252 -> UTF-16LE", encode, "ms");
    std::printf("Views, wall clock, median of the same runs:\n");
    printLine("table of contents, first build", f.TocFirst, "ms", "target <= 20 ms", 20.0);
    printLine("table of contents, rebuild", f.TocRebuild, "ms", "target <= 20 ms", 20.0);
    printLine("subject index", f.Index, "ms");
    printLine("keyword search (" + std::to_string(f.SearchRows) + " rows)", f.Search, "ms");
}

void reportPeaks(const std::vector<Peak>& peaks, double fileMegabytes) {
    std::printf("Peak memory (VmHWM of a fresh process), beside the file bytes (%.1f MB):\n",
                fileMegabytes);
    for (const Peak& peak : peaks)
        printRatio(peak.Name, peak.Megabytes, "MB", "file bytes", fileMegabytes, 3);
}

fs::path benchFolder(const BenchOptions& options) {
    if (!options.Keep.empty())
        return options.Keep;
    return fs::temp_directory_path() / ("krel-bench-" + std::to_string(getpid()));
}

int run(const BenchOptions& options) {
    fs::path folder = benchFolder(options);
    if (!RunInChildProcess([&] { return WriteSyntheticFiles(folder, options.Synthetic), 0.0; }))
        throw std::runtime_error("could not write the synthetic encyclopedia into " +
                                 folder.string());
    const SyntheticOptions& s = options.Synthetic;
    double fileMegabytes = megabytesOf(folder);
    std::printf("Synthetic encyclopedia: %zu entries, %zu headers, seed %llu, %.1f MB in the two "
                "files\n",
                s.Entries, s.Headers, static_cast<unsigned long long>(s.Seed), fileMegabytes);
    if (options.Peaks)
        reportPeaks(measurePeaks(folder), fileMegabytes);
    std::printf("Processor time (user + system), median of %d runs, each beside its iconv(3) "
                "reference converting the same bytes in memory:\n",
                options.Runs);
    Timings timings = timeLoadAndSave(folder, options.Runs);
    reportTimes(timings, timeViews(folder, options.Runs));
    if (options.Keep.empty())
        fs::remove_all(folder);
    return 0;
}

} // namespace
} // namespace krel::bench

int main(int argc, char** argv) {
    try {
        return krel::bench::run(krel::bench::parseOptions(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "krel-encyclopedia-bench: %s\n%s", e.what(), krel::bench::kUsage);
        return 2;
    }
}
