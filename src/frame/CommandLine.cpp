#include "frame/CommandLine.h"

#include <algorithm>

namespace krel {
namespace {

const char* const kUsage = R"(Usage: krel-editor [--help | --version]

Edits the Galactic Encyclopedia of Vastreach 3. On its first start the editor looks for the
game in the machine-wide entry, in Wine, Proton, Lutris and Bottles prefixes and in Steam
libraries; Options > Editor Options points it elsewhere. Settings are kept in
$XDG_CONFIG_HOME/KrelEditor/user.reg (default ~/.config). See krel-editor(1).

  -h, --help     show this text and exit
  --version      show the version and exit

Qt's own options, such as -platform offscreen, are accepted.
)";

bool asks(const std::vector<std::string>& args, std::initializer_list<const char*> names) {
    return std::any_of(args.begin(), args.end(), [&](const std::string& arg) {
        return std::find(names.begin(), names.end(), arg) != names.end();
    });
}

} // namespace

std::optional<int> AnswerWithoutWindow(const std::vector<std::string>& args, std::ostream& out) {
    if (asks(args, {"-h", "--help"}))
        out << kUsage;
    else if (asks(args, {"--version"}))
        out << "krel-editor " << KREL_VERSION << '\n';
    else
        return std::nullopt;
    return 0;
}

} // namespace krel
