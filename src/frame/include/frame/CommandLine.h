#pragma once
// The editor's own command line. The usage text and the version are answered before any window
// exists, so both work without a display (in a terminal over SSH, in a package's tests).

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace krel {

// When args (without the program's name) ask for the usage text or the version, prints it to
// out and gives the exit status; otherwise nothing, and the editor starts (Qt reads its own
// options, such as -platform, from the same arguments).
std::optional<int> AnswerWithoutWindow(const std::vector<std::string>& args, std::ostream& out);

} // namespace krel
