#pragma once
// Texts cross between the program (8-bit Windows-1252) and the widgets (QString) only here.

#include "common/TextCodec.h"

#include <QString>
#include <string>
#include <string_view>

namespace krel {

inline QString ToQt(std::string_view text) {
    std::u16string wide = Cp1252ToUtf16(text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

inline std::string FromQt(const QString& text) {
    return Utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<size_t>(text.size())));
}

} // namespace krel
