#pragma once
// Peak memory of a piece of work, measured in a fresh child process so that neither this
// process's earlier work nor other measurements' leftovers in the heap count.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace krel::bench {

// The peak resident size (VmHWM) of a child that runs work, in MB, or nothing when the child
// could not be run or failed.
std::optional<double> PeakMegabytesOf(const std::function<void()>& work);

// The same for one command line of krel-encyclopedia (without the program name), its output
// thrown away. Nothing when the command fails.
std::optional<double> ToolPeakMegabytes(const std::vector<std::string>& args);

} // namespace krel::bench
