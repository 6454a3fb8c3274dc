#include "archive/ZipStream.h"

#include "common/AtomicFile.h"

#include <utility>

namespace krel {

void TZipStream::SaveToFile(const std::filesystem::path& path) const {
    WriteFileAtomic(path, bytes_);
}

void TZipStream::Clear() {
    bytes_.clear();
}

std::string TZipStream::TakeBytes() {
    return std::exchange(bytes_, std::string());
}

void TZipStream::Assign(std::string&& bytes) {
    bytes_ = std::move(bytes);
}

} // namespace krel
