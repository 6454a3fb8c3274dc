#include "ArchiveFixture.h"

#include "common/AtomicFile.h"

#include <atomic>
#include <zip.h>

namespace krel::test {

void ArchiveTest::SetUp() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / ("krel-archive-" + std::to_string(::getpid()) + "-" +
                                       std::to_string(counter++) + "-" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    zip.OnMessage = [this](const std::string& text) {
        reports.push_back(text);
        order.push_back("report");
    };
    zip.OnProgress = [this](TZipMaster&, ProgressType type, const std::string& name, int64_t size) {
        events.push_back({type, name, size});
        order.push_back("event " + std::to_string(static_cast<int>(type)));
    };
}

void ArchiveTest::TearDown() {
    fs::remove_all(dir);
}

fs::path ArchiveTest::WriteFile(const std::string& name, const std::string& bytes) const {
    fs::path path = dir / name;
    fs::create_directories(path.parent_path());
    WriteFileAtomic(path, bytes);
    return path;
}

std::string ArchiveTest::ReadFile(const fs::path& path) const {
    return ReadWholeFile(path);
}

std::map<fs::path, std::string> ArchiveTest::Snapshot() const {
    std::map<fs::path, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(dir))
        files[item.path()] = item.is_regular_file() ? ReadWholeFile(item.path()) : "<folder>";
    return files;
}

std::vector<std::string> ArchiveTest::ListedNames() const {
    std::vector<std::string> names;
    for (const auto& entry : zip.ZipContents())
        names.push_back(entry.FileName);
    return names;
}

int ArchiveTest::MethodOf(const fs::path& archive, const std::string& storedName) const {
    int error = 0;
    zip_t* opened = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    if (!opened)
        return -1;
    zip_stat_t stat;
    int method = zip_stat(opened, storedName.c_str(), ZIP_FL_ENC_RAW, &stat) == 0
                     ? static_cast<int>(stat.comp_method)
                     : -1;
    zip_discard(opened);
    return method;
}

std::string ArchiveTest::Extracted(const std::string& name) {
    TZipStream* stream = zip.ExtractFileToStream(name);
    return stream ? stream->Bytes() : "<no stream>";
}

std::vector<Event> ArchiveTest::EventsOfType(ProgressType type) const {
    std::vector<Event> found;
    for (const auto& event : events)
        if (event.Type == type)
            found.push_back(event);
    return found;
}

int64_t ArchiveTest::SumOfUpdates() const {
    int64_t sum = 0;
    for (const auto& event : EventsOfType(ProgressType::ProgressUpdate))
        sum += event.Size;
    return sum;
}

} // namespace krel::test
