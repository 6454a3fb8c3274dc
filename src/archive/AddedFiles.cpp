#include "AddedFiles.h"

#include "archive/ZipHandle.h"
#include "archive/ZipNames.h"
#include "common/PathText.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::time_t toTimeT(fs::file_time_type time) {
    return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
}

ZipFailure cannotWrite(const fs::path& archive, const std::string& problem, const AddedFile& file,
                       int systemError) {
    std::string reason = systemError != 0 ? std::string(": ") + std::strerror(systemError) : "";
    return ZipFailure("Error: cannot write zip file " + PathText(archive) + ": " + problem + " " +
                      PathText(file.Path) + reason);
}

} // namespace

AddedFile DescribeAddedFile(const fs::path& path) {
    std::error_code error;
    bool regular = fs::is_regular_file(path, error);
    uint64_t size = regular ? fs::file_size(path, error) : 0;
    fs::file_time_type time = regular ? fs::last_write_time(path, error) : fs::file_time_type{};
    if (!regular || error)
        throw ZipFailure("Error: file not found: " + PathText(path));
    return {path, BareName(path), size, toTimeT(time), {}};
}

void ReadAddedFile(AddedFile& file, const fs::path& archive, const ZipBatch& batch) {
    batch.Announce(ProgressType::NewFile, file.MemberName, static_cast<int64_t>(file.Size));
    errno = 0;
    std::unique_ptr<std::FILE, FileClose> stream(std::fopen(file.Path.c_str(), "rb"));
    if (!stream)
        throw cannotWrite(archive, "cannot open file", file, errno);
    file.Bytes.clear();
    file.Bytes.reserve(file.Size);
    char piece[64 * 1024];
    while (size_t got = std::fread(piece, 1, sizeof piece, stream.get())) {
        if (file.Bytes.size() + got > file.Size)
            break;
        file.Bytes.append(piece, got);
        batch.Announce(ProgressType::ProgressUpdate, "", static_cast<int64_t>(got));
    }
    if (std::ferror(stream.get()))
        throw cannotWrite(archive, "cannot read file", file, errno);
    if (file.Bytes.size() != file.Size || std::fgetc(stream.get()) != EOF)
        throw cannotWrite(archive, "file changed while being added", file, 0);
}

} // namespace krel
