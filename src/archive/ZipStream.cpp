#include "archive/ZipStream.h"

#include "common/AtomicFile.h"

namespace krel {

void TZipStream::SaveToFile(const std::filesystem::path& path) const {
    WriteFileAtomic(path, bytes_);
}

void TZipStream::Clear() {
    bytes_.clear();
}

void TZipStream::Assign(std::string&& bytes) {
    bytes_ = std::move(bytes);
}

} // namespace krel
