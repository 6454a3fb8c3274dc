#pragma once
// Error classes of the encyclopedia editor's units: the window's routines (model operations,
// index builds, the writer, the commands) and the parser thread's.

#include "common/UnitError.h"

namespace krel {

KREL_UNIT_ERROR(EEncEditorError);
KREL_UNIT_ERROR(EEncThreadError);

} // namespace krel
