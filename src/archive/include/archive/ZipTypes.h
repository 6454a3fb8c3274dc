#pragma once
// The records and events the ZIP component hands to its callers.

#include <cstdint>
#include <functional>
#include <string>

namespace krel {

// One member of an archive as listed: its stored path with "\" between folders, in
// Windows-1252, and its uncompressed size (saturated at the 32-bit maximum).
struct ZipDirEntry {
    std::string FileName;
    uint32_t UncompressedSize = 0;
};

// A renaming: the first place where Source occurs in a member's name (letter case ignored) is
// replaced by Dest. DateTime is a DOS date-time (date in the high word); 0 keeps the member's.
struct ZipRenameRec {
    std::string Source;
    std::string Dest;
    uint32_t DateTime = 0;
};

// What a progress report is about; the values are fixed because the windows switch on them.
enum class ProgressType {
    NewFile = 0,            // a member or file is being processed; FileSize = its size
    ProgressUpdate = 1,     // FileSize = bytes just done
    EndOfBatch = 2,         // the batch is over, successful or not
    TotalFiles2Process = 3, // FileSize = number of files in the batch
    TotalSize2Process = 4,  // FileSize = total bytes of the batch
};

class TZipMaster;
using ZipProgressFn = std::function<void(TZipMaster& sender, ProgressType type,
                                         const std::string& fileName, int64_t fileSize)>;
using ZipMessageFn = std::function<void(const std::string& text)>;

} // namespace krel
