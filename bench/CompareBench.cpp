// krel-compare-bench: times what the changes window, the merge preview and the filter field ask
// of the store, on two large made-up encyclopedias of which the second changes half the
// entries of the first.

#include "BenchSupport.h"
#include "Synthetic.h"
#include "encyclopedia/Compare.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Filter.h"
#include "encyclopedia/MergePreview.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/WordDiff.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace krel::bench {
namespace {

using BenchOptions = SyntheticBenchOptions;

void changeEntry(T_EncEntry& entry, size_t turn) {
    switch (turn % 4) {
    case 0:
        entry.Title += " Prime";
        break;
    case 1:
        entry.Content.insert(entry.Content.size() / 2, "new ");
        break;
    case 2:
        entry.Keywords += ",changed";
        break;
    default:
        entry.Image += "_2";
    }
}

// Headers list their members again, each entry under the header chosen for it.
void relist(std::vector<T_EncEntry>& records, const std::vector<size_t>& headerOf) {
    std::vector<std::vector<std::string>> members(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].Kind == ekEntry && headerOf[i] < records.size())
            members[headerOf[i]].push_back(records[i].Tag);
    for (size_t h = 0; h < records.size(); ++h)
        if (records[h].Kind == ekHeader)
            records[h].Content =
                std::string(HeaderTitle(records[h].Content)) + ":" + BuildCommaList(members[h]);
}

// Every second entry changes: by turns its title, text, keywords or picture, and every fifth
// of them moves to the next header. One in a hundred of the others goes, and as many new
// ones come. Headers come first in the records, each listing the entries that follow in turn.
std::vector<T_EncEntry> changeHalf(std::vector<T_EncEntry> records, size_t headers) {
    std::vector<size_t> headerOf(records.size(), records.size());
    size_t entries = records.size() - headers;
    for (size_t e = 0; e < entries; ++e)
        headerOf[headers + e] = e * headers / entries;
    for (size_t e = 0; e < entries; e += 2) {
        changeEntry(records[headers + e], e / 2);
        if (e % 10 == 0)
            headerOf[headers + e] = (headerOf[headers + e] + 1) % headers;
    }
    for (size_t e = 1; e < entries; e += 100) {
        records[headers + e] = {ekEntry, "Newcomer " + std::to_string(e), {}, {}, {}, "New.", {}};
        records[headers + e].Tag = "#" + std::to_string(e / 100);
    }
    relist(records, headerOf);
    return records;
}

// Wall-clock and processor time of a piece of work, medians of several runs. On a machine busy
// with other work the two differ, and the processor time says what the store costs; the
// targets are judged by it.
struct Figure {
    double Wall = 0;
    double Cpu = 0;
};

double cpuMillisecondsOf(const std::function<void()>& work) {
    std::clock_t start = std::clock();
    work();
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// prepare runs before each run, off the clocks.
Figure measure(
    int runs, const std::function<void()>& work, const std::function<void()>& prepare = [] {}) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        prepare();
        wall.push_back(MillisecondsOf([&] { cpu.push_back(cpuMillisecondsOf(work)); }));
    }
    return {Median(wall), Median(cpu)};
}

void printLine(const std::string& name, Figure figure, double limit = 0) {
    std::printf("  %-58s %8.2f %8.2f", name.c_str(), figure.Wall, figure.Cpu);
    if (limit > 0)
        std::printf("   < %.0f ms  %s", limit, figure.Cpu < limit ? "met" : "MISSED");
    std::printf("\n");
}

void measureComparison(const Encyclopedia& before, const Encyclopedia& after, int runs) {
    size_t changes = 0;
    Figure compare =
        measure(runs, [&] { changes = CompareEncyclopedias(before, after).Changes.size(); });
    printLine("compare (" + std::to_string(changes) + " changes)", compare, 200);
}

void measureMerge(const Encyclopedia& current, const Encyclopedia& incoming, int runs) {
    std::vector<T_EncEntry> records = incoming.Snapshot();
    std::vector<T_EncEntry> start = current.Snapshot();
    MergePreview preview;
    printLine("merge preview", measure(runs, [&] { preview = PreviewMerge(current, records); }));
    TakeTheirsForAll(preview);
    Encyclopedia book;
    auto fresh = [&] {
        book.Replace(start);
    };
    printLine("apply the preview, theirs taken for all",
              measure(
                  runs, [&] { ApplyMerge(book, preview); }, fresh));
    printLine("the Merge button's merge, for comparison",
              measure(
                  runs,
                  [&] {
                      MergeParsed(book, records, {false, false, {}});
                  },
                  fresh));
}

// Typing the first letters of an entry's title, one keystroke at a time, after the view has
// been built for filtering.
void measureFilter(Encyclopedia& book, ViewMode mode, const std::string& view, int runs) {
    FilterableView rows;
    printLine("build the " + view + " for filtering",
              measure(runs, [&] { rows.Build(book, mode); }));
    const std::string& title = book.At(book.Count() / 2)->Title;
    std::string typed;
    Figure slowest;
    CountingRows kept;
    for (char c : title.substr(0, 6)) {
        typed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Figure keystroke = measure(runs, [&] { rows.Narrow(typed, kept); });
        slowest = keystroke.Cpu > slowest.Cpu ? keystroke : slowest;
    }
    printLine("  slowest keystroke of '" + typed + "' (" + std::to_string(kept.Count) + " rows)",
              slowest, 30);
    printLine("  the empty text (every row)", measure(runs, [&] { rows.Narrow({}, kept); }));
}

void measureWords(const Encyclopedia& book, int runs) {
    std::string before = book.At(book.Count() / 2)->Content;
    std::string after = before;
    after.insert(after.size() / 3, "changed ");
    after.replace(2 * after.size() / 3, 5, "other");
    printLine("word difference of one body text", measure(runs, [&] { DiffWords(before, after); }));
    std::string unrelated = book.At(book.Count() / 2 + 1)->Content;
    printLine("word difference of two unrelated body texts",
              measure(runs, [&] { DiffWords(before, unrelated); }));
}

int run(const BenchOptions& options) {
    std::vector<T_EncEntry> records = MakeSyntheticRecords(options.Synthetic);
    Encyclopedia before;
    InstallParsed(before, records);
    Encyclopedia after;
    InstallParsed(after, changeHalf(std::move(records), options.Synthetic.Headers));
    std::printf("Synthetic encyclopedias: %zu entries, %zu headers, seed %llu; the second changes "
                "half the entries\nMedians of %d runs, in ms%64s\n",
                options.Synthetic.Entries, options.Synthetic.Headers,
                static_cast<unsigned long long>(options.Synthetic.Seed), options.Runs,
                "wall  processor");
    measureComparison(before, after, options.Runs);
    measureMerge(before, after, options.Runs);
    CountingRows rows;
    BuildTOC(before, rows, {}); // the window has built the table of contents before any filter
    measureFilter(before, ViewMode::TableOfContents, "table of contents", options.Runs);
    measureFilter(before, ViewMode::SubjectIndex, "subject index", options.Runs);
    measureWords(before, options.Runs);
    return 0;
}

} // namespace
} // namespace krel::bench

int main(int argc, char** argv) {
    return krel::bench::RunSyntheticBench(argc, argv, "krel-compare-bench", krel::bench::run);
}
