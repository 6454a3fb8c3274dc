#include "cli/Cli.h"

#include "cli/Commands.h"
#include "cli/Utf8Messages.h"

#include <algorithm>
#include <cerrno>
#include <sstream>
#include <system_error>

namespace krel::cli {
namespace {

const char* const kProgram = "krel-encyclopedia";

const char* const kHelp = R"(Usage: krel-encyclopedia COMMAND ARGUMENTS [OPTIONS]

Reads a Galactic Encyclopedia from SOURCE and prints JSON in UTF-8. SOURCE is a folder holding
wsEncyclopediaTitles.txt and wsEncyclopedia.txt, as the editor loads it, or an archive (.zip,
.mob, any file that is not a folder) holding exactly one member whose name contains
wsEncyclopediaTitles.txt and one other whose name contains wsEncyclopedia.txt (letter case
significant, in any folder), as the editor imports it.

Commands:
  dump SOURCE [--merge-files]    every record in list order (--merge-files: read the
                                 ".merge" files of a folder instead)
  toc SOURCE [--text]            the table of contents, reordered and renumbered as the
                                 editor does (--text: an indented outline)
  index SOURCE                   the subject index
  search SOURCE WORD             the entries that have WORD as one of their keywords
  save SOURCE OUTDIR [--sorted]  writes the two files into OUTDIR (--sorted: in the order
                                 of the table of contents)
  merge SOURCE OTHER [--overwrite=yes|no] [--confirm=yes|no] [--answers=LIST] [--out OUTDIR]
                                 merges OTHER into SOURCE; LIST answers the duplicate
                                 questions in order (yes, no, yes-to-all, no-to-all), and
                                 questions left over are answered no
  check SOURCE [--json] [--pictures ARCHIVE]
                                 lists what a modder should fix, one line per problem;
                                 with --pictures also every entry whose picture ARCHIVE
                                 lacks (the picture name + ".PNG" as a member's file name,
                                 letter case ignored, in any folder, as the editor finds it)
  diff SOURCE OTHER [--json]     what OTHER changes against SOURCE, one line per
                                 header or entry: "added", "removed" or "changed", the
                                 tag (entries) and the title, and for a change the
                                 fields that differ (tag, title, text, picture,
                                 keywords, links, header, order; headers: title,
                                 members, order). Entries pair by tag and headers by
                                 title, letter case ignored; header numbers are not
                                 compared (--json: each change with its values before
                                 and after)
  pictures ARCHIVE               the members whose name ends in ".png" (letter case
                                 ignored), in archive order, as {"name", "size", "width",
                                 "height"}; width and height come from the picture's header
                                 alone and are null when it is not whole and intact (a
                                 damaged or truncated picture, a header whose CRC is wrong
                                 or that declares more than the member can hold, or no PNG
                                 at all), so such members stand out; other members are
                                 left out
  pack SOURCE OUTFILE            writes OUTFILE, a ZIP archive exactly as the editor's
                                 ZIP export writes it right after opening SOURCE: the
                                 two files in the order of the table of contents, deflated,
                                 under GameDataSets\Classic_01\GameData\English\wStrings\

  --help, --version

Exit status: 0 done (diff: no differences), 1 check found problems or diff found
differences, 2 unusable input or arguments.
)";

using RunFn = int (*)(const Arguments&, std::ostream&);

struct Command {
    CommandSyntax Syntax;
    RunFn Run;
};

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {{"dump", {"SOURCE"}, {{"merge-files"}}}, RunDump},
        {{"toc", {"SOURCE"}, {{"text"}}}, RunToc},
        {{"index", {"SOURCE"}, {}}, RunIndex},
        {{"search", {"SOURCE", "WORD"}, {}}, RunSearch},
        {{"save", {"SOURCE", "OUTDIR"}, {{"sorted"}}}, RunSave},
        {{"merge",
          {"SOURCE", "OTHER"},
          {{"overwrite", true}, {"confirm", true}, {"answers", true}, {"out", true}}},
         RunMerge},
        {{"check", {"SOURCE"}, {{"json"}, {"pictures", true}}}, RunCheck},
        {{"diff", {"SOURCE", "OTHER"}, {{"json"}}}, RunDiff},
        {{"pictures", {"ARCHIVE"}, {}}, RunPictures},
        {{"pack", {"SOURCE", "OUTFILE"}, {}}, RunPack},
    };
    return table;
}

const Command& findCommand(const std::string& name) {
    const auto& table = commands();
    auto found = std::find_if(table.begin(), table.end(),
                              [&](const Command& command) { return command.Syntax.Name == name; });
    if (found == table.end())
        throw EUsageError("unknown command '" + name + "'");
    return *found;
}

int dispatch(const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty())
        throw EUsageError("no command given");
    if (args[0] == "-h" || std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << kHelp;
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << kProgram << " " << KREL_VERSION << '\n';
        return kExitOk;
    }
    const Command& command = findCommand(args[0]);
    return command.Run(ParseArguments(args, command.Syntax), out);
}

// Chained messages carry one routine a line; the report is one line.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', '\r');
    std::string line;
    std::istringstream parts(text);
    for (std::string part; std::getline(parts, part, '\r');)
        if (!part.empty())
            line += (line.empty() ? "" : ": ") + part;
    return line;
}

int report(std::ostream& err, const std::string& message) {
    err << kProgram << ": " << Utf8Message(oneLine(message)) << '\n';
    return kExitBadInput;
}

// A full disk, a closed or a broken output: the output is lost, and the command did not do its
// work. Commands write as they go, so the stream gives up at the first failed write and keeps
// the system's reason in errno, which nothing after it touches.
void checkDelivered(std::ostream& out) {
    out << std::flush;
    if (!out)
        throw std::runtime_error("cannot write the output: " +
                                 (errno != 0 ? std::generic_category().message(errno)
                                             : std::string("the output failed")));
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        errno = 0;
        int status = dispatch(args, out);
        checkDelivered(out);
        return status;
    } catch (const EUsageError& e) {
        return report(err, std::string(e.what()) + " (see " + kProgram + " --help)");
    } catch (const std::exception& e) {
        return report(err, e.what());
    } catch (...) {
        return report(err, "unknown failure");
    }
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = run(args, out, err);
    err << std::flush;
    return err ? status : kExitBadInput;
}

} // namespace krel::cli
