#pragma once
// Deflate streams for the members of written archives, made with libdeflate. An input larger
// than the block size is cut into blocks that are compressed at the same time, one per core,
// and joined into one valid stream: each block but the last has its final-block flag cleared
// and ends with an empty stored block, as a sync flush leaves it. The streams depend only on
// the inputs and the level and block size, never on the number of threads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

struct DeflateSettings {
    int Level = 7;                      // libdeflate's level, 0 to 12
    size_t BlockSize = size_t{1} << 21; // inputs larger than this are split into blocks
    unsigned Threads = 0;               // 0: one per core
};

// What a component level (AddCompLevel, 0 to 9) stands for. The top level means libdeflate's
// level 7: within a few percent of the size of zlib's best effort in about a tenth of its time
// (level 8 gains those percent at three times the time on encyclopedia text).
DeflateSettings DeflateSettingsFor(int compLevel);

struct DeflatedData {
    std::string Stream; // raw deflate, no zlib header
    uint32_t Crc = 0;   // CRC-32 of the input
};

// Compresses every input into a raw deflate stream of its own. Throws std::runtime_error
// when libdeflate cannot be set up.
std::vector<DeflatedData> DeflateAll(const std::vector<std::string_view>& inputs,
                                     const DeflateSettings& settings);

} // namespace krel
