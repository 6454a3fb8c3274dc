#pragma once
// Time-stamped trace lines for the debugger output channel. On this platform the channel is the
// standard diagnostic stream; tests may install a sink to read the lines back.

#include <functional>
#include <string>

namespace krel {

// Sends "<local time> - <formatted text>" to the trace channel. Safe from any thread.
void DebugOutput(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces the channel (nullptr restores standard error). Returns the previous sink.
using DebugSink = std::function<void(const std::string& line)>;
DebugSink SetDebugOutputSink(DebugSink sink);

// Where a piece of work appends its progress lines for the editor's debug log.
using LogFn = std::function<void(const std::string& line)>;

} // namespace krel
