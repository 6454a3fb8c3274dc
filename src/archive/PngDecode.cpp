#include "archive/PngHeader.h"
#include "archive/PngImage.h"

#include <memory>
#include <png.h>

namespace krel {
namespace {

// libpng's simplified interface keeps its longjmp inside libpng; this only frees its state.
struct PngImageFree {
    void operator()(png_image* image) const { png_image_free(image); }
};
using PngImageGuard = std::unique_ptr<png_image, PngImageFree>;

EPngError damaged(const png_image& image) {
    return EPngError(std::string("Damaged PNG picture: ") + image.message);
}

void checkSize(const PngHeader& header) {
    if (header.Width > MaxPngSide || header.Height > MaxPngSide)
        throw EPngError("PNG picture too large: " + std::to_string(header.Width) + " x " +
                        std::to_string(header.Height) + " pixels, at most " +
                        std::to_string(MaxPngSide) + " x " + std::to_string(MaxPngSide));
}

} // namespace

PngSize ReadPngSize(std::string_view bytes) {
    PngHeader header = ReadPngHeader(bytes);
    return {header.Width, header.Height};
}

PngImage DecodePng(std::string_view bytes) {
    PngHeader header = ReadPngHeader(bytes);
    checkSize(header);
    if (!HoldsEnoughImageData(bytes, header))
        throw EPngError("Damaged PNG picture: image data missing or cut short");
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw damaged(image);
    PngImageGuard guard(&image);
    image.format = PNG_FORMAT_RGBA;
    PngImage decoded{image.width, image.height, {}};
    decoded.Rgba.resize(size_t{image.width} * image.height * 4);
    if (!png_image_finish_read(&image, nullptr, decoded.Rgba.data(), 0, nullptr))
        throw damaged(image);
    return decoded;
}

} // namespace krel
