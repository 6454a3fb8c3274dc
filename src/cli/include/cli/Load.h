#pragma once
// Turning a source into an encyclopedia the way the editor does on opening it.

#include "cli/Source.h"
#include "common/UnitError.h"
#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/Parser.h"

namespace krel::cli {

KREL_UNIT_ERROR(ELoadError);

// Parses both files of a source and releases their texts. A file without a single line is
// refused by name, as the editor refuses it, before anything is parsed.
ParseResult ParseSource(SourceFiles& files);

// A normal load: the parsed records in file order, then the 26 letter rows. The records move
// into the book; what is returned is the rest of the parse (its dropped attribute lines are of
// interest to the lint).
ParseResult LoadSource(Encyclopedia& book, SourceFiles& files);

} // namespace krel::cli
