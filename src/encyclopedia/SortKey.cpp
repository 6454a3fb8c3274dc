#include "SortKey.h"

namespace krel {
namespace {

// Eight bytes of a title from first on as one number that orders like the bytes themselves.
std::uint64_t titleBytes(std::string_view title, size_t first) {
    std::uint64_t bytes = 0;
    for (size_t i = first; i < first + 8; ++i)
        bytes = (bytes << 8) | (i < title.size() ? static_cast<unsigned char>(title[i]) : 0u);
    return bytes;
}

} // namespace

SortKey SortKeyOf(const T_EncEntry& record, size_t index) {
    const int number = record.Kind == ekHeader ? HeaderNumber(record.Tag) : 0;
    return {record.Kind,  number, titleBytes(record.Title, 0), titleBytes(record.Title, 8),
            record.Title, index};
}

} // namespace krel
