#include "kit/DebugLog.h"

namespace krel {

void DebugLog::append(std::string line) {
    lines_.push_back(std::move(line));
    emit changed();
}

} // namespace krel
