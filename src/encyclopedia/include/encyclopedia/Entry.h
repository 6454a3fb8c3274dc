#pragma once
// The records of an encyclopedia. All text is 8-bit Windows-1252.

#include <cstdint>
#include <string>

namespace krel {

enum T_EntryKind : std::uint8_t { ekHeader = 0, ekEntry = 1, ekLetter = 2 };

// One record: a header (Content = title ":" member tags, Tag = header number), an entry, or one
// of the 26 letter rows of the subject index (Title = the letter). A plain value.
struct T_EncEntry {
    T_EntryKind Kind = ekHeader;
    std::string Title;
    std::string Image;
    std::string Keywords;
    std::string Related;
    std::string Content;
    std::string Tag;

    bool operator==(const T_EncEntry&) const = default;
};

enum T_RawKind : std::uint8_t { rkImage = 0, rkKeywords = 1, rkRelated = 2, rkContent = 3 };

// An attribute line (EGI, EGK, EGR, EGC) waiting for the entry with its tag during a parse.
struct T_RawEntry {
    std::string Tag;
    T_RawKind Kind = rkImage;
    std::string Text;

    bool operator==(const T_RawEntry&) const = default;
};

// The field of an entry that an attribute of the given kind fills.
std::string& FieldFor(T_EncEntry& entry, T_RawKind kind);

} // namespace krel
