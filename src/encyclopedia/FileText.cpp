#include "encyclopedia/FileText.h"

#include "common/FileReader.h"
#include "encyclopedia/Utf16Text.h"

#include <algorithm>
#include <cstring>

namespace krel {
namespace {

// Small enough to stay in the processor's cache while it is decoded.
constexpr size_t kPieceBytes = 64 * 1024;

bool isHighSurrogate(const char* unit) {
    auto high = static_cast<unsigned char>(unit[1]);
    return high >= 0xD8 && high <= 0xDB;
}

} // namespace

size_t EncyclopediaTextDecoder::Feed(std::string_view piece, bool last) {
    size_t used = state_ == State::Start ? start(piece, last) : 0;
    if (state_ == State::Utf16)
        used += feedUtf16(piece.substr(used), last);
    else if (state_ == State::EightBit)
        used += feedEightBit(piece.substr(used));
    if (last)
        state_ = State::Ended;
    return last ? piece.size() : used;
}

// The first byte decides; a UTF-16 file's mark (0xFF and whatever byte follows) is dropped.
size_t EncyclopediaTextDecoder::start(std::string_view piece, bool last) {
    bool utf16 = !piece.empty() && static_cast<unsigned char>(piece[0]) == 0xFF;
    if (piece.empty() || (utf16 && piece.size() < 2 && !last))
        return 0;
    capacity_ = utf16 ? (std::max<size_t>(fileSize_, 2) - 2) / 2 : fileSize_;
    text_.chars_.reset(new char[capacity_]);
    state_ = utf16 ? State::Utf16 : State::EightBit;
    return utf16 ? std::min<size_t>(piece.size(), 2) : 0;
}

// A high surrogate at the end of a piece waits for the next, which may hold its partner.
size_t EncyclopediaTextDecoder::feedUtf16(std::string_view piece, bool last) {
    size_t usable = piece.size() & ~size_t{1};
    if (!last && usable >= 2 && isHighSurrogate(piece.data() + usable - 2))
        usable -= 2;
    size_t units = std::min(usable / 2, capacity_ - text_.size_);
    DecodedUnits decoded = DecodeUtf16LeUnits(reinterpret_cast<const unsigned char*>(piece.data()),
                                              units, text_.chars_.get() + text_.size_);
    text_.size_ += decoded.Chars;
    if (decoded.EndedAtNul)
        state_ = State::Ended;
    return usable;
}

size_t EncyclopediaTextDecoder::feedEightBit(std::string_view piece) {
    size_t room = std::min(piece.size(), capacity_ - text_.size_);
    const void* nul = std::memchr(piece.data(), '\0', room);
    size_t taken = nul ? static_cast<size_t>(static_cast<const char*>(nul) - piece.data()) : room;
    std::memcpy(text_.chars_.get() + text_.size_, piece.data(), taken);
    text_.size_ += taken;
    if (nul)
        state_ = State::Ended;
    return piece.size();
}

FileText EncyclopediaTextDecoder::Finish() {
    state_ = State::Ended;
    return std::move(text_);
}

// One piece buffer serves the whole file; what the decoder leaves moves to its front.
FileText ReadEncyclopediaFile(const std::filesystem::path& file) {
    FileReader reader(file);
    EncyclopediaTextDecoder decoder(static_cast<size_t>(reader.Size()));
    std::unique_ptr<char[]> piece(new char[kPieceBytes]);
    size_t kept = 0;
    while (!decoder.Ended()) {
        size_t got = reader.Read(piece.get() + kept, kPieceBytes - kept);
        size_t held = kept + got;
        size_t used = decoder.Feed({piece.get(), held}, got == 0 || reader.AtEnd());
        kept = held - used;
        std::memmove(piece.get(), piece.get() + used, kept);
    }
    return decoder.Finish();
}

FileText DecodeEncyclopediaFile(std::string_view bytes) {
    EncyclopediaTextDecoder decoder(bytes.size());
    decoder.Feed(bytes, true);
    return decoder.Finish();
}

} // namespace krel
