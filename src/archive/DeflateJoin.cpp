#include "DeflateJoin.h"

#include <stdexcept>
#include <zlib.h>

namespace krel {
namespace {

// Bit positions in a raw deflate stream, counted from the low bit of its first byte.
struct BlockBits {
    uint64_t LastHeader = 0; // the final-block flag of the last block
    uint64_t End = 0;        // just past the last block's end code
};

// zlib's inflate with Z_BLOCK stops at every block boundary and tells how many bits of the
// bytes it has taken are unused; that locates the start of each block header.
class BlockWalker {
public:
    explicit BlockWalker(const std::string& stream) {
        if (inflateInit2(&z_, -15) != Z_OK)
            throw std::runtime_error("cannot set up zlib's inflate");
        z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
        z_.avail_in = static_cast<uInt>(stream.size());
    }
    ~BlockWalker() { inflateEnd(&z_); }
    BlockWalker(const BlockWalker&) = delete;
    BlockWalker& operator=(const BlockWalker&) = delete;

    BlockBits Walk() {
        BlockBits bits;
        for (;;) {
            stepToBoundary();
            if (!(z_.data_type & 128))
                continue;
            if (z_.data_type & 64) {
                bits.End = position();
                return bits;
            }
            bits.LastHeader = position();
        }
    }

private:
    uint64_t position() const { return uint64_t{z_.total_in} * 8 - (z_.data_type & 63); }

    void stepToBoundary() {
        z_.next_out = sink_;
        z_.avail_out = sizeof sink_;
        // The walk ends at the last block's boundary, so the stream never ends here.
        if (inflate(&z_, Z_BLOCK) != Z_OK)
            throw std::runtime_error("damaged deflate stream");
    }

    z_stream z_{};
    Bytef sink_[1 << 15];
};

} // namespace

void MakeStreamContinue(std::string& stream) {
    BlockBits bits = BlockWalker(stream).Walk();
    stream[bits.LastHeader / 8] &= static_cast<char>(~(1u << (bits.LastHeader % 8)));
    stream.resize((bits.End + 7) / 8);
    unsigned usedInLastByte = bits.End % 8;
    if (usedInLastByte != 0)
        stream.back() &= static_cast<char>((1u << usedInLastByte) - 1);
    // The stored block's three header bits are zero; a byte is added when they do not fit.
    bool headerFits = usedInLastByte != 0 && usedInLastByte <= 5;
    if (!headerFits)
        stream.push_back('\0');
    stream.append("\x00\x00\xFF\xFF", 4);
}

} // namespace krel
