#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Load.h"
#include "cli/Save.h"
#include "common/Platform.h"
#include "common/TextCodec.h"
#include "encyclopedia/Completion.h"

#include <map>

namespace krel::cli {
namespace {

bool yesNo(const Arguments& args, const std::string& name, bool fallback) {
    if (!args.Has(name))
        return fallback;
    std::string value = args.Value(name);
    if (value != "yes" && value != "no")
        throw EUsageError("option '--" + name + "' takes yes or no, not '" + value + "'");
    return value == "yes";
}

MergeAnswer answerFrom(const std::string& word) {
    static const std::map<std::string, MergeAnswer> answers = {
        {"yes", MergeAnswer::Yes},
        {"no", MergeAnswer::No},
        {"yes-to-all", MergeAnswer::YesToAll},
        {"no-to-all", MergeAnswer::NoToAll}};
    auto found = answers.find(word);
    if (found == answers.end())
        throw EUsageError("unknown answer '" + word +
                          "' in '--answers' (yes, no, yes-to-all, no-to-all)");
    return found->second;
}

std::vector<MergeAnswer> answersFrom(const std::string& list) {
    std::vector<MergeAnswer> answers;
    for (size_t start = 0; start < list.size();) {
        size_t comma = std::min(list.find(',', start), list.size());
        answers.push_back(answerFrom(list.substr(start, comma - start)));
        start = comma + 1;
    }
    return answers;
}

// The question names the duplicate's tag: Duplicate entry found for the tag "X".  Overwrite?
std::string tagOfQuestion(const std::string& question) {
    const std::string head = "Duplicate entry found for the tag \"";
    const std::string tail = "\".  Overwrite?";
    bool framed = question.size() >= head.size() + tail.size() && question.rfind(head, 0) == 0 &&
                  question.compare(question.size() - tail.size(), tail.size(), tail) == 0;
    if (!framed)
        return question;
    return question.substr(head.size(), question.size() - head.size() - tail.size());
}

// Answers the duplicate questions from the command line, in order, then No; notes each tag.
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(std::vector<MergeAnswer> answers) : answers_(std::move(answers)) {}

    MergeAnswer Ask(const std::string& question) {
        asked_.push_back(Cp1252ToUtf8(tagOfQuestion(question)));
        return next_ < answers_.size() ? answers_[next_++] : MergeAnswer::No;
    }
    const std::vector<std::string>& Asked() const { return asked_; }

private:
    std::vector<MergeAnswer> answers_;
    size_t next_ = 0;
    std::vector<std::string> asked_;
};

MergeOptions optionsFrom(const Arguments& args, ScriptedAnswers& answers) {
    const MergeOptions stored;
    MergeOptions options;
    options.Overwrite = yesNo(args, "overwrite", stored.Overwrite);
    options.Confirm = yesNo(args, "confirm", stored.Confirm);
    options.Ask = [&answers](const std::string& question) {
        return answers.Ask(question);
    };
    return options;
}

// {"added", "changed", "asked", "records"}, the records printed one at a time.
void printMergeReport(std::ostream& out, const MergeResult& result, const ScriptedAnswers& answers,
                      const Encyclopedia& book) {
    out << "{\n  \"added\": " << result.ItemsAdded << ",\n  \"changed\": " << result.ItemsChanged
        << ",\n  \"asked\": " << NestedJson(Json(answers.Asked()), 1) << ",\n  \"records\": ";
    PrintRecordsJson(out, book.GetEntryList(), 1);
    out << "\n}\n";
}

// The merge sorts the other encyclopedia's records, which fails on its header numbers only.
MergeResult mergeOther(Encyclopedia& book, SourceFiles& other, const MergeOptions& options) {
    ParseResult parsed = ParseSource(other);
    return guarded<ELoadError>("'" + other.Names.Titles + "'",
                               [&] { return MergeParsed(book, parsed.Records, options); });
}

} // namespace

int RunMerge(const Arguments& args, std::ostream& out) {
    ScriptedAnswers answers(answersFrom(args.Value("answers")));
    MergeOptions options = optionsFrom(args, answers);
    SourceFiles source = ReadSource(args.Operands[0]);
    SourceFiles other = ReadSource(args.Operands[1]);
    Encyclopedia book;
    LoadSource(book, source);
    MergeResult result = mergeOther(book, other, options);
    ReleaseFreedMemory();
    if (args.Has("out"))
        SaveInto(book, args.Value("out"));
    printMergeReport(out, result, answers, book);
    return 0;
}

} // namespace krel::cli
