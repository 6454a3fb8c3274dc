#include "ArchiveFixture.h"

#include "support/TestZip.h"

namespace krel::test {

void ArchiveTest::SetUp() {
    zip.OnMessage = [this](const std::string& text) {
        reports.push_back(text);
        order.push_back("report");
    };
    zip.OnProgress = [this](TZipMaster&, ProgressType type, const std::string& name, int64_t size) {
        events.push_back({type, name, size});
        order.push_back("event " + std::to_string(static_cast<int>(type)));
    };
}

std::vector<std::string> ArchiveTest::ListedNames() const {
    std::vector<std::string> names;
    for (const auto& entry : zip.ZipContents())
        names.push_back(entry.FileName);
    return names;
}

int ArchiveTest::MethodOf(const fs::path& archive, const std::string& storedName) const {
    for (const StoredMember& member : ReadTestZip(archive))
        if (member.Name == storedName)
            return member.Method;
    return -1;
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
