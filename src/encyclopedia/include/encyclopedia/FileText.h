#pragma once
// An encyclopedia file's text, decoded while the file is read: the file's bytes never sit in
// memory whole, and the text's buffer is written once by the decode, never zero-filled first.
// The rules are those of DecodeEncyclopediaText (TextFormat.h).

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

namespace krel {

class FileText {
public:
    FileText() = default;
    std::string_view View() const { return {chars_.get(), size_}; }

private:
    friend class EncyclopediaTextDecoder;
    std::unique_ptr<char[]> chars_;
    size_t size_ = 0;
};

// Decodes a file's bytes piece by piece as they arrive. The first byte decides the encoding;
// the text ends at its first NUL or with the last piece.
class EncyclopediaTextDecoder {
public:
    // fileSize bounds the text: no more bytes than that may be fed in all.
    explicit EncyclopediaTextDecoder(size_t fileSize) : fileSize_(fileSize) {}

    // Decodes what it can of the next piece and returns how many of its bytes it used; the
    // bytes it leaves (an odd byte, a surrogate waiting for its partner: at most three) must
    // open the next piece. With last set, the piece ends the file and is used whole.
    size_t Feed(std::string_view piece, bool last);
    // True once the text is complete: a NUL was reached or the last piece was fed.
    bool Ended() const { return state_ == State::Ended; }
    FileText Finish();

private:
    enum class State { Start, Utf16, EightBit, Ended };

    size_t start(std::string_view piece, bool last);
    size_t feedUtf16(std::string_view piece, bool last);
    size_t feedEightBit(std::string_view piece);

    size_t fileSize_;
    State state_ = State::Start;
    FileText text_;
    size_t capacity_ = 0;
};

// Reads and decodes a whole file. Throws std::runtime_error naming the file when it cannot be
// opened or read.
FileText ReadEncyclopediaFile(const std::filesystem::path& file);

// The same for bytes already in memory.
FileText DecodeEncyclopediaFile(std::string_view bytes);

} // namespace krel
