#pragma once
// Progress of one batch as it passes through libzip's C callbacks. A handler's exception must
// not unwind through libzip's frames, so it is kept here, the C callback tells libzip to stop,
// and the exception is raised again once libzip has returned.

#include "archive/ZipTypes.h"

#include <exception>
#include <functional>
#include <string>

namespace krel {

using ProgressSink = std::function<void(ProgressType type, const std::string& name, int64_t size)>;

class ZipBatch {
public:
    explicit ZipBatch(ProgressSink sink) : sink_(std::move(sink)) {}

    // For C callbacks: passes a report on and returns false when a handler has failed.
    bool Notify(ProgressType type, const std::string& name, int64_t size) noexcept;
    // For plain C++ code: passes a report on, letting a handler's exception through.
    void Announce(ProgressType type, const std::string& name, int64_t size) const;

    bool HandlerFailed() const { return handlerFailure_ != nullptr; }
    void RethrowHandlerFailure() const;

private:
    ProgressSink sink_;
    std::exception_ptr handlerFailure_;
};

} // namespace krel
