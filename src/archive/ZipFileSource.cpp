#include "archive/ZipFileSource.h"

#include "archive/ZipHandle.h"
#include "archive/ZipNames.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

struct FileSource {
    AddedFile file;
    ZipBatch* batch = nullptr;
    std::FILE* stream = nullptr;
    uint64_t done = 0;
    zip_error_t error{};
};

std::time_t toTimeT(fs::file_time_type time) {
    return std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
}

zip_int64_t fail(FileSource& source, int code, int systemError, const std::string& problem) {
    zip_error_set(&source.error, code, systemError);
    std::string reason = systemError != 0 ? std::string(": ") + std::strerror(systemError) : "";
    source.batch->SetProblem(problem + " " + ReportedPath(source.file.Path) + reason);
    return -1;
}

zip_int64_t cancelled(FileSource& source) {
    zip_error_set(&source.error, ZIP_ER_CANCELLED, 0);
    return -1;
}

zip_int64_t openFile(FileSource& source) {
    if (!source.batch->Notify(NewFile, source.file.MemberName,
                              static_cast<int64_t>(source.file.Size)))
        return cancelled(source);
    errno = 0;
    source.stream = std::fopen(source.file.Path.c_str(), "rb");
    if (!source.stream)
        return fail(source, ZIP_ER_OPEN, errno, "cannot open file");
    source.done = 0;
    return 0;
}

zip_int64_t readFile(FileSource& source, void* data, zip_uint64_t length) {
    size_t got = std::fread(data, 1, static_cast<size_t>(length), source.stream);
    if (std::ferror(source.stream))
        return fail(source, ZIP_ER_READ, errno, "cannot read file");
    source.done += got;
    bool shrank = got == 0 && source.done < source.file.Size;
    if (shrank || source.done > source.file.Size)
        return fail(source, ZIP_ER_READ, 0, "file changed while being added");
    if (got > 0 && !source.batch->Notify(ProgressUpdate, "", static_cast<int64_t>(got)))
        return cancelled(source);
    return static_cast<zip_int64_t>(got);
}

zip_int64_t statFile(FileSource& source, void* data, zip_uint64_t length) {
    auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &source.error);
    if (!stat)
        return -1;
    zip_stat_init(stat);
    stat->size = source.file.Size;
    stat->mtime = source.file.ModTime;
    stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
    return sizeof(zip_stat_t);
}

void closeFile(FileSource& source) {
    if (source.stream)
        std::fclose(source.stream);
    source.stream = nullptr;
}

zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto& source = *static_cast<FileSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        return openFile(source);
    case ZIP_SOURCE_READ:
        return readFile(source, data, length);
    case ZIP_SOURCE_CLOSE:
        closeFile(source);
        return 0;
    case ZIP_SOURCE_STAT:
        return statFile(source, data, length);
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source.error, data, length);
    case ZIP_SOURCE_FREE:
        closeFile(source);
        zip_error_fini(&source.error);
        delete &source;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE;
    default:
        zip_error_set(&source.error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

} // namespace

AddedFile DescribeAddedFile(const fs::path& path) {
    std::error_code error;
    bool regular = fs::is_regular_file(path, error);
    uint64_t size = regular ? fs::file_size(path, error) : 0;
    fs::file_time_type time = regular ? fs::last_write_time(path, error) : fs::file_time_type{};
    if (!regular || error)
        throw ZipFailure("Error: file not found: " + ReportedPath(path));
    return {path, BareName(path), size, toTimeT(time)};
}

zip_source_t* MakeFileSource(zip_t* archive, const AddedFile& file, ZipBatch& batch) {
    auto* state = new FileSource{file, &batch, nullptr, 0, {}};
    zip_error_init(&state->error);
    zip_source_t* source = zip_source_function(archive, callback, state);
    if (!source) {
        zip_error_fini(&state->error);
        delete state;
        throw ZipFailure("Error: cannot add " + ReportedPath(file.Path) + ": " +
                         LastErrorText(archive));
    }
    return source;
}

} // namespace krel
