#include "archive/PngImage.h"

#include <png.h>

namespace krel {
namespace {

png_image describe(const PngImage& image) {
    if (image.Width == 0 || image.Height == 0 || image.Width > MaxPngSide ||
        image.Height > MaxPngSide || image.Rgba.size() != size_t{image.Width} * image.Height * 4)
        throw EPngError("Cannot encode PNG picture: invalid image");
    png_image described{};
    described.version = PNG_IMAGE_VERSION;
    described.width = image.Width;
    described.height = image.Height;
    described.format = PNG_FORMAT_RGBA;
    return described;
}

EPngError refused(const png_image& image) {
    return EPngError(std::string("Cannot encode PNG picture: ") + image.message);
}

} // namespace

std::string EncodePng(const PngImage& image) {
    png_image described = describe(image);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&described, nullptr, &size, 0, image.Rgba.data(), 0, nullptr))
        throw refused(described);
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&described, bytes.data(), &size, 0, image.Rgba.data(), 0,
                                   nullptr))
        throw refused(described);
    bytes.resize(size);
    return bytes;
}

} // namespace krel
