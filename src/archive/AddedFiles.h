#pragma once
// The files an Add puts into an archive, read whole into memory before the archive is touched.

#include "archive/ZipBatch.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>

namespace krel {

struct AddedFile {
    std::filesystem::path Path;
    std::string MemberName;
    uint64_t Size = 0;
    std::time_t ModTime = 0;
    std::string Bytes; // filled by ReadAddedFile
};

// Takes the file's size and time now; throws ZipFailure when it is not a readable file.
AddedFile DescribeAddedFile(const std::filesystem::path& path);

// Reads the file whole, announcing NewFile and then ProgressUpdate for each piece. A file that
// cannot be read, or that is shorter or longer than when it was described, throws ZipFailure
// naming the archive being written and the file, so no archive is made from changed data.
void ReadAddedFile(AddedFile& file, const std::filesystem::path& archive, const ZipBatch& batch);

} // namespace krel
