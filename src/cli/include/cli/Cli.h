#pragma once
// krel-encyclopedia: runs one command line. Everything the tool prints goes through here.

#include <ostream>
#include <string>
#include <vector>

namespace krel::cli {

// Exit statuses: the command did its work; the lint found problems; the input was unusable.
constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitBadInput = 2;

// Runs the command in args (without the program name). A command writes to out only once its
// work has succeeded; any failure, writing the output included, prints one line of UTF-8 on err
// and gives kExitBadInput, as does a failure to write err.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace krel::cli
