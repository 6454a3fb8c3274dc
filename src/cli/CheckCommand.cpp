#include "cli/Archive.h"
#include "cli/Check.h"
#include "cli/Commands.h"
#include "cli/Load.h"
#include "cli/Pictures.h"

namespace krel::cli {
namespace {

void printProblems(const std::vector<Problem>& problems, bool asJson, std::ostream& out) {
    if (asJson) {
        Json array = Json::array();
        for (const Problem& problem : problems)
            array.push_back(ProblemToJson(problem));
        PrintJson(out, array);
        return;
    }
    for (const Problem& problem : problems)
        out << ProblemLine(problem) << '\n';
}

void checkPictures(const Arguments& args, const Encyclopedia& book,
                   std::vector<Problem>& problems) {
    if (!args.Has("pictures"))
        return;
    ZipArchive pictures = OpenToolArchive(args.Value("pictures"));
    std::vector<Problem> missing = CheckPictures(book, pictures.Members());
    problems.insert(problems.end(), missing.begin(), missing.end());
}

} // namespace

int RunCheck(const Arguments& args, std::ostream& out) {
    SourceFiles files = ReadSource(args.Operands[0]);
    Encyclopedia book;
    ParseResult parsed = LoadSource(book, files);
    std::vector<Problem> problems = CheckEncyclopedia(book, parsed.Orphans);
    checkPictures(args, book, problems);
    printProblems(problems, args.Has("json"), out);
    return problems.empty() ? 0 : 1;
}

} // namespace krel::cli
