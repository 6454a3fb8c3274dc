#include "frame/CommandLine.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(CommandLine, HelpAndVersionAnswerAndEverythingElseStartsTheEditor) {
    struct Case {
        std::vector<std::string> args;
        std::optional<int> status;
        const char* printed; // the start of what is printed
    };
    for (const Case& c : std::vector<Case>{
             {{"--help"}, 0, "Usage: krel-editor"},
             {{"-platform", "offscreen", "-h"}, 0, "Usage: krel-editor"},
             {{"--version"}, 0, "krel-editor " KREL_VERSION "\n"},
             {{}, std::nullopt, ""},
             {{"-platform", "offscreen"}, std::nullopt, ""},
             {{"--screenshot-window", "frame"}, std::nullopt, ""},
         }) {
        std::ostringstream out;
        EXPECT_EQ(krel::AnswerWithoutWindow(c.args, out), c.status);
        EXPECT_EQ(out.str().rfind(c.printed, 0), 0u) << out.str();
    }
}

} // namespace
