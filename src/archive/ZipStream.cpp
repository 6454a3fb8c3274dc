#include "archive/ZipStream.h"

#include "common/AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace krel {

size_t TZipStream::Read(void* out, size_t count) {
    size_t available = bytes_.size() - std::min(position_, bytes_.size());
    size_t copied = std::min(count, available);
    std::memcpy(out, bytes_.data() + position_, copied);
    position_ += copied;
    return copied;
}

void TZipStream::SaveToFile(const std::filesystem::path& path) const {
    WriteFileAtomic(path, bytes_);
}

void TZipStream::Clear() {
    bytes_.clear();
    position_ = 0;
}

void TZipStream::Assign(std::string&& bytes) {
    bytes_ = std::move(bytes);
    position_ = bytes_.size();
}

} // namespace krel
