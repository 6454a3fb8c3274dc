#include "common/PathText.h"

#include "common/TextCodec.h"

namespace krel {
namespace fs = std::filesystem;

fs::path FsPath(std::string_view text) {
    return fs::path(Cp1252ToUtf8(text));
}

std::string PathText(const fs::path& path) {
    std::u8string text = path.u8string();
    return Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

} // namespace krel
