#include "TempFolder.h"

#include "common/AtomicFile.h"

#include <atomic>
#include <unistd.h>

namespace krel::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("krel-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::map<fs::path, std::string> TempFolder::Snapshot() const {
    std::map<fs::path, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(path_))
        files[item.path()] = item.is_regular_file() ? ReadWholeFile(item.path()) : "<folder>";
    return files;
}

fs::path WriteTestFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    WriteFileAtomic(path, bytes);
    return path;
}

} // namespace krel::test
