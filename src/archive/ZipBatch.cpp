#include "archive/ZipBatch.h"

namespace krel {

bool ZipBatch::Notify(ProgressType type, const std::string& name, int64_t size) noexcept {
    if (handlerFailure_)
        return false;
    try {
        Announce(type, name, size);
        return true;
    } catch (...) {
        handlerFailure_ = std::current_exception();
        return false;
    }
}

void ZipBatch::Announce(ProgressType type, const std::string& name, int64_t size) const {
    if (sink_)
        sink_(type, name, size);
}

void ZipBatch::RethrowHandlerFailure() const {
    if (handlerFailure_)
        std::rethrow_exception(handlerFailure_);
}

} // namespace krel
