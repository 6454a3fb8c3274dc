#include "encyclopedia/Entry.h"

namespace krel {

std::string& FieldFor(T_EncEntry& entry, T_RawKind kind) {
    switch (kind) {
    case rkImage:
        return entry.Image;
    case rkKeywords:
        return entry.Keywords;
    case rkRelated:
        return entry.Related;
    case rkContent:
        break;
    }
    return entry.Content;
}

} // namespace krel
