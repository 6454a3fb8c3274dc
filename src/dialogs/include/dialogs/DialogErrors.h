#pragma once
// Error classes of the dialogs whose handlers report failures with their routine names. The add
// chooser, the list picker and the graphic browser leave failures to the window's handler.

#include "common/UnitError.h"

namespace krel {

KREL_UNIT_ERROR(EEncEntryEditorError);
KREL_UNIT_ERROR(EHeaderEditorError);

} // namespace krel
