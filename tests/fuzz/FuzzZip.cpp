// Opens arbitrary bytes as an archive through the ZIP component: lists it, extracts every
// listed member into memory, and now and then renames members, which rewrites the archive.
// The component may refuse anything, but must report it and never crash.

#include "archive/ZipMaster.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// The component reads archives from files, so each input goes to a scratch file, in memory
// where the system offers a folder for it, removed again after the input has run.
std::filesystem::path scratchArchive() {
    std::filesystem::path folder =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    return folder / ("krel-fuzz-" + std::to_string(::getpid()) + ".zip");
}

void exercise(const std::filesystem::path& archive, size_t size) {
    krel::TZipMaster zip;
    zip.OnMessage = [](const std::string&) {
    };
    zip.SetZipFileName(archive);
    std::vector<krel::ZipDirEntry> listed = zip.ZipContents();
    for (size_t i = 0; i < listed.size() && i < 64; ++i) {
        krel::TZipStream* stream = zip.ExtractFileToStream(listed[i].FileName);
        if (stream && stream->Size() != listed[i].UncompressedSize)
            std::abort(); // a member came out with another size than it declared
    }
    if (size % 4 == 0 && !listed.empty()) {
        zip.Rename({{"a", "Renamed\\", 0}});
        if (zip.Count() != static_cast<int>(listed.size()))
            std::abort(); // renaming never adds or loses members
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path archive = scratchArchive();
    std::ofstream(archive, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    exercise(archive, size);
    std::error_code ignored;
    std::filesystem::remove(archive, ignored);
    return 0;
}
