#include "Inflate.h"

#include <libdeflate.h>
#include <memory>
#include <stdexcept>

namespace krel {
namespace {

struct DecompressorFree {
    void operator()(libdeflate_decompressor* decompressor) const {
        libdeflate_free_decompressor(decompressor);
    }
};

} // namespace

InflateOutcome InflateWhole(std::string_view stream, std::string& out, uint32_t expectedCrc) {
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(
        libdeflate_alloc_decompressor());
    if (!decompressor)
        throw std::bad_alloc();
    size_t produced = 0;
    switch (libdeflate_deflate_decompress(decompressor.get(), stream.data(), stream.size(),
                                          out.data(), out.size(), &produced)) {
    case LIBDEFLATE_SUCCESS:
        if (produced != out.size())
            return InflateOutcome::Short;
        return libdeflate_crc32(0, out.data(), out.size()) == expectedCrc
                   ? InflateOutcome::Whole
                   : InflateOutcome::WrongCrc;
    case LIBDEFLATE_INSUFFICIENT_SPACE:
        return InflateOutcome::Long;
    default:
        return InflateOutcome::BadStream;
    }
}

} // namespace krel
