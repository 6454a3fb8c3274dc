#pragma once
// A libzip source over a member's data deflated already. It tells libzip the method, both sizes
// and the CRC, so writing the archive copies the data as it is instead of compressing it again.

#include <cstdint>
#include <ctime>
#include <string>
#include <zip.h>

namespace krel {

struct DeflatedMember {
    std::string Stream; // raw deflate
    uint32_t Crc = 0;   // of the uncompressed data
    uint64_t Size = 0;  // uncompressed
    std::time_t ModTime = 0;
};

// The member must outlive the archive's zip_close. The source belongs to the caller until
// libzip takes it (zip_file_add succeeded). Throws ZipFailure when libzip refuses it.
zip_source_t* MakeDeflatedSource(zip_t* archive, const DeflatedMember& member);

} // namespace krel
