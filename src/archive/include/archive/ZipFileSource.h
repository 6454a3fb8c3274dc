#pragma once
// A libzip source that reads a file only when the archive is written, reporting NewFile when it
// starts and ProgressUpdate for each piece. A file that cannot be opened, or that is shorter or
// longer than when it was added, fails the write, so no archive is made from changed data.

#include "archive/ZipBatch.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <zip.h>

namespace krel {

struct AddedFile {
    std::filesystem::path Path;
    std::string MemberName;
    uint64_t Size = 0;
    std::time_t ModTime = 0;
};

// Takes the file's size and time now; throws ZipFailure when it is not a readable file.
AddedFile DescribeAddedFile(const std::filesystem::path& path);

// The source belongs to the caller until libzip takes it (zip_file_add succeeded).
zip_source_t* MakeFileSource(zip_t* archive, const AddedFile& file, ZipBatch& batch);

} // namespace krel
