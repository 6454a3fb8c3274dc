#include "cli/Utf8Messages.h"

#include "common/TextCodec.h"

namespace krel::cli {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The second byte's range after a lead byte: narrower after E0, ED, F0 and F4, which would
// otherwise allow over-long forms, surrogates or code points beyond U+10FFFF.
bool secondFits(unsigned char lead, unsigned char second) {
    if (lead == 0xE0)
        return second >= 0xA0 && second <= 0xBF;
    if (lead == 0xED)
        return second >= 0x80 && second <= 0x9F;
    if (lead == 0xF0)
        return second >= 0x90 && second <= 0xBF;
    if (lead == 0xF4)
        return second >= 0x80 && second <= 0x8F;
    return isContinuation(second);
}

size_t expectedLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// The length of the well-formed UTF-8 character of several bytes at text's start, or 0.
size_t wellFormedLength(std::string_view text) {
    auto byteAt = [&](size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    size_t length = expectedLength(byteAt(0));
    if (length == 0 || text.size() < length || !secondFits(byteAt(0), byteAt(1)))
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (!isContinuation(byteAt(i)))
            return 0;
    return length;
}

} // namespace

std::string Utf8Message(std::string_view message) {
    std::string text;
    text.reserve(message.size());
    while (!message.empty()) {
        size_t length = static_cast<unsigned char>(message[0]) < 0x80 ? 1 : 0;
        if (length == 0)
            length = wellFormedLength(message);
        text +=
            length ? std::string(message.substr(0, length)) : Cp1252ToUtf8(message.substr(0, 1));
        message.remove_prefix(length ? length : 1);
    }
    return text;
}

} // namespace krel::cli
