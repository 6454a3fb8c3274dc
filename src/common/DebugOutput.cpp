#include "common/DebugOutput.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <mutex>
#include <vector>

namespace krel {
namespace {

std::mutex sinkMutex;
DebugSink currentSink;

std::string localTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%X", &parts);
    return text;
}

std::string formatText(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

} // namespace

void DebugOutput(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string line = localTimeText() + " - " + formatText(format, args);
    va_end(args);

    std::lock_guard lock(sinkMutex);
    if (currentSink)
        currentSink(line);
    else
        std::cerr << line << '\n';
}

DebugSink SetDebugOutputSink(DebugSink sink) {
    std::lock_guard lock(sinkMutex);
    DebugSink previous = std::move(currentSink);
    currentSink = std::move(sink);
    return previous;
}

} // namespace krel
