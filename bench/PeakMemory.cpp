#include "PeakMemory.h"

#include "cli/Cli.h"
#include "common/Platform.h"

#include <fstream>
#include <stdexcept>

namespace krel::bench {
namespace {

std::optional<double> vmHighWaterMark() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return std::nullopt;
}

// A forked child starts with its parent's peak; "5" brings the peak down to what the child
// holds now.
void resetHighWaterMark() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

std::optional<double> PeakMegabytesOf(const std::function<void()>& work) {
    return RunInChildProcess([&] {
        resetHighWaterMark();
        work();
        return vmHighWaterMark().value_or(-1);
    });
}

std::optional<double> ToolPeakMegabytes(const std::vector<std::string>& args) {
    return PeakMegabytesOf([&] {
        std::ofstream discard("/dev/null");
        int status = cli::RunCli(args, discard, discard);
        if (status != cli::kExitOk && status != cli::kExitProblems)
            throw std::runtime_error("the command failed");
    });
}

} // namespace krel::bench
