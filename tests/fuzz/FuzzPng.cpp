// Decodes arbitrary bytes as a PNG picture: any stream may be refused, none may crash, leak or
// make the decoder allocate for a picture the stream cannot hold.

#include "archive/PngImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        krel::PngSize header = krel::ReadPngSize(bytes);
        krel::PngImage image = krel::DecodePng(bytes);
        bool consistent = image.Width == header.Width && image.Height == header.Height &&
                          image.Rgba.size() == size_t{image.Width} * image.Height * 4;
        if (!consistent)
            std::abort();
    } catch (const krel::EPngError&) {
    }
    return 0;
}
