// krel-zip-bench: times the ZIP export of a large made-up encyclopedia beside `zip -9` on the
// same two files, prints the level and block-size curves, and times the tool's `pictures` on
// hostile picture archives.

#include "BenchSupport.h"
#include "Synthetic.h"
#include "archive/PngImage.h"
#include "archive/ZipDeflatedSource.h"
#include "archive/ZipMaster.h"
#include "archive/ZipWriter.h"
#include "common/EncyclopediaFiles.h"
#include "common/Platform.h"
#include "exchange/Export.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace krel::bench {
namespace {
namespace fs = std::filesystem;

struct BenchOptions {
    SyntheticOptions Synthetic;
    int Runs = 5;
    bool Curves = true;
    std::string Tool; // the krel-encyclopedia executable
};

BenchOptions parseOptions(int argc, char** argv) {
    BenchOptions options;
    options.Tool = (fs::path(argv[0]).parent_path() / "krel-encyclopedia").string();
    ReadOptions(argc, argv, [&](const std::string& name, const std::string& text) {
        if (name == "--entries")
            options.Synthetic.Entries = std::stoul(text);
        else if (name == "--runs")
            options.Runs = std::max(1, std::stoi(text));
        else if (name == "--curves")
            options.Curves = text != "0";
        else if (name == "--tool")
            options.Tool = text;
        else
            return false;
        return true;
    });
    return options;
}

double megabytes(uintmax_t bytes) {
    return static_cast<double>(bytes) / 1e6;
}

void printRow(const std::string& name, double ms, double size, const std::string& verdict = "") {
    std::printf("  %-40s %9.0f ms  %10.0f bytes%s\n", name.c_str(), ms, size, verdict.c_str());
}

std::string verdict(double value, double limit, double aim) {
    std::string text = value <= limit ? "met" : "MISSED";
    return text + (value <= aim ? ", aim met" : ", aim missed");
}

// Wall-clock and processor time of one run, in milliseconds.
struct Timing {
    double Wall = 0;
    double Cpu = 0;
};

// The reference: Info-ZIP's best effort on the same two files.
Timing zip9(const FilePair& files, const fs::path& out) {
    fs::remove(out);
    auto run = RunProgram(
        {"zip", "-9", "-q", "-j", out.string(), files.Contents.string(), files.Titles.string()},
        "/dev/null");
    if (!run || run->ExitStatus != 0)
        throw std::runtime_error("zip -9 did not run (is Info-ZIP's zip installed?)");
    return {run->Seconds * 1000, run->CpuSeconds * 1000};
}

std::vector<ZipRenameRec> exportRenames() {
    std::vector<ZipRenameRec> renames;
    for (std::string_view name : {kContentsFileName, kTitlesFileName})
        renames.push_back(
            {std::string(name), std::string(kExportMemberFolder) + std::string(name), 0});
    return renames;
}

Timing timed(const std::function<void()>& work) {
    double cpu = ProcessCpuSeconds();
    double wall = MillisecondsOf(work);
    return {wall, (ProcessCpuSeconds() - cpu) * 1000};
}

// The export's archive step through the component, exactly as the editor runs it.
Timing component(const FilePair& files, const fs::path& out) {
    fs::remove(out);
    return timed([&] {
        TZipMaster zip;
        zip.SetZipFileName(out);
        zip.FSpecArgs() = {files.Contents, files.Titles};
        if (!zip.Add() || !zip.Rename(exportRenames(), 0))
            throw std::runtime_error("the component failed");
    });
}

// The same step with other settings, for the curves.
Timing withSettings(const FilePair& files, const fs::path& out, const DeflateSettings& settings) {
    fs::remove(out);
    return timed([&] {
        ZipBatch batch(nullptr);
        AddFiles(out, {files.Contents, files.Titles}, batch, settings);
        RenameMembers(out, exportRenames(), 0, batch);
    });
}

struct Reference {
    Timing Time;
    double Bytes = 0;
};

void printCurveRow(const std::string& name, const Timing& time, const fs::path& out,
                   const Reference& ref) {
    std::printf("  %-20s %7.0f ms %6.3fx time  %7.0f ms %6.3fx processor time  %6.3fx size\n",
                name.c_str(), time.Wall, time.Wall / ref.Time.Wall, time.Cpu,
                time.Cpu / ref.Time.Cpu, static_cast<double>(fs::file_size(out)) / ref.Bytes);
}

void printCurves(const FilePair& files, const fs::path& ours, const Reference& ref) {
    std::printf("Level curve (block size %zu KiB, every core, one run each)\n",
                DeflateSettings{}.BlockSize >> 10);
    for (int level = 1; level <= 12; ++level) {
        DeflateSettings settings;
        settings.Level = level;
        printCurveRow("libdeflate level " + std::to_string(level),
                      withSettings(files, ours, settings), ours, ref);
    }
    std::printf("Block-size curve (level %d)\n", DeflateSettingsFor(AddCompLevel).Level);
    for (size_t kib : {256, 512, 1024, 2048, 4096, 8192, 0}) {
        DeflateSettings settings = DeflateSettingsFor(AddCompLevel);
        settings.BlockSize = kib == 0 ? std::numeric_limits<size_t>::max() : kib << 10;
        printCurveRow(kib == 0 ? "unsplit" : std::to_string(kib) + " KiB",
                      withSettings(files, ours, settings), ours, ref);
    }
    DeflateSettings single = DeflateSettingsFor(AddCompLevel);
    single.Threads = 1;
    printCurveRow("one thread", withSettings(files, ours, single), ours, ref);
}

Reference compareWithZip9(const BenchOptions& options, const FilePair& files,
                          const fs::path& folder) {
    const fs::path reference = folder / "reference.zip";
    const fs::path ours = folder / "Encyclopedia.zip";
    std::vector<double> zipWall, zipCpu, ourWall, ourCpu;
    for (int run = 0; run < options.Runs; ++run) { // side by side, run after run
        Timing theirs = zip9(files, reference);
        Timing mine = component(files, ours);
        zipWall.push_back(theirs.Wall);
        zipCpu.push_back(theirs.Cpu);
        ourWall.push_back(mine.Wall);
        ourCpu.push_back(mine.Cpu);
    }
    Reference ref{{Median(zipWall), Median(zipCpu)}, static_cast<double>(fs::file_size(reference))};
    Timing mine{Median(ourWall), Median(ourCpu)};
    double size = static_cast<double>(fs::file_size(ours));
    std::printf("ZIP export of the two files (medians of %d runs)\n", options.Runs);
    printRow("zip -9", ref.Time.Wall, ref.Bytes);
    printRow("component Add + Rename (AddCompLevel 9)", mine.Wall, size);
    double ratio = mine.Wall / ref.Time.Wall;
    std::printf("  time %.3fx zip -9's (target <= 0.15x, aim 0.10x): %s\n", ratio,
                verdict(ratio, 0.15, 0.10).c_str());
    std::printf("  processor time %.0f ms against %.0f ms: %.3fx\n", mine.Cpu, ref.Time.Cpu,
                mine.Cpu / ref.Time.Cpu);
    std::printf("  size %.3fx zip -9's (target <= 1.05x, aim 1.02x): %s\n", size / ref.Bytes,
                verdict(size / ref.Bytes, 1.05, 1.02).c_str());
    return ref;
}

void runExport(const BenchOptions& options, const fs::path& folder) {
    FilePair files = EncyclopediaFilesIn(folder);
    std::printf("Synthetic encyclopedia: %zu entries, %.1f MB + %.1f MB of UTF-16\n",
                options.Synthetic.Entries, megabytes(fs::file_size(files.Contents)),
                megabytes(fs::file_size(files.Titles)));
    Reference ref = compareWithZip9(options, files, folder);
    auto pack = RunProgram(
        {options.Tool, "pack", folder.string(), (folder / "packed.zip").string()}, "/dev/null");
    if (pack && pack->ExitStatus == 0)
        printRow("krel-encyclopedia pack (read, parse, save, archive)", pack->Seconds * 1000,
                 static_cast<double>(fs::file_size(folder / "packed.zip")));
    if (options.Curves)
        printCurves(files, folder / "Encyclopedia.zip", ref);
}

void writeArchive(const fs::path& path,
                  const std::vector<std::pair<std::string, zip_source_t*>>& members,
                  zip_t* archive) {
    for (const auto& [name, source] : members)
        if (zip_file_add(archive, name.c_str(), source, 0) < 0)
            throw std::runtime_error("cannot add " + name);
    if (zip_close(archive) != 0)
        throw std::runtime_error("cannot write " + path.string());
}

zip_t* createArchive(const fs::path& path) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot create " + path.string());
    return archive;
}

void manyPictures(const fs::path& path, size_t count) {
    static const std::string png = EncodePng({4, 4, std::vector<uint8_t>(64, 0x80)});
    zip_t* archive = createArchive(path);
    std::vector<std::pair<std::string, zip_source_t*>> members;
    for (size_t i = 0; i < count; ++i)
        members.emplace_back("Pictures/Picture" + std::to_string(i) + ".png",
                             zip_source_buffer(archive, png.data(), png.size(), 0));
    writeArchive(path, members, archive);
}

// Members of zeros named like pictures, their deflated data made once and added many times.
void hugeMembers(const fs::path& path, size_t count, size_t size) {
    std::string zeros(size, '\0');
    DeflatedData deflated = DeflateAll({zeros}, {1, DeflateSettings{}.BlockSize, 0}).front();
    DeflatedMember member{std::move(deflated.Stream), deflated.Crc, size, 0};
    zeros = std::string();
    zip_t* archive = createArchive(path);
    std::vector<std::pair<std::string, zip_source_t*>> members;
    for (size_t i = 0; i < count; ++i)
        members.emplace_back("Huge/Zeros" + std::to_string(i) + ".png",
                             MakeDeflatedSource(archive, member));
    writeArchive(path, members, archive);
}

void printPictures(const BenchOptions& options, const std::string& name, const fs::path& archive,
                   double limitMs, double limitMb) {
    std::vector<double> times, peaks;
    for (int run = 0; run < options.Runs; ++run) {
        auto listed = RunProgram({options.Tool, "pictures", archive.string()}, "/dev/null");
        if (!listed || listed->ExitStatus != 0)
            throw std::runtime_error("krel-encyclopedia pictures failed on " + archive.string());
        times.push_back(listed->Seconds * 1000);
        peaks.push_back(listed->PeakMegabytes);
    }
    double ms = Median(times), mb = Median(peaks);
    std::printf("  %-40s %8.0f ms (target < %.0f ms: %s)  %6.1f MB peak%s\n", name.c_str(), ms,
                limitMs, ms < limitMs ? "met" : "MISSED", mb,
                std::isnan(limitMb) ? ""
                                    : (std::string(" (target < ") + std::to_string(int(limitMb)) +
                                       " MB: " + (mb < limitMb ? "met" : "MISSED") + ")")
                                          .c_str());
}

void runPictures(const BenchOptions& options, const fs::path& folder) {
    std::printf("krel-encyclopedia pictures (medians of %d runs)\n", options.Runs);
    manyPictures(folder / "many.mob", 10000);
    printPictures(options, "10,000 picture members", folder / "many.mob", 500, std::nan(""));
    hugeMembers(folder / "huge.mob", 40, size_t{250} << 20);
    std::printf("  (40 members of 250 MB of zeros: a %.1f MB archive)\n",
                megabytes(fs::file_size(folder / "huge.mob")));
    printPictures(options, "40 members of 250 MB each", folder / "huge.mob", 1000, 50);
}

} // namespace
} // namespace krel::bench

int main(int argc, char** argv) {
    using namespace krel::bench;
    try {
        BenchOptions options = parseOptions(argc, argv);
        fs::path folder = fs::temp_directory_path() / "krel-zip-bench";
        fs::remove_all(folder);
        WriteSyntheticFiles(folder, options.Synthetic);
        runExport(options, folder);
        runPictures(options, folder);
        fs::remove_all(folder);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "krel-zip-bench: %s\n", e.what());
        return 2;
    }
}
