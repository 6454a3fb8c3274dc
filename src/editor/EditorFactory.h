#pragma once
// Hands the frame the maker of its encyclopedia editor window.

namespace krel {

class TKrelEditMainForm;

// After this, "Encyclopedia Editor" opens a TEncEditorMain inside the frame.
void RegisterEncyclopediaEditor(TKrelEditMainForm& frame);

} // namespace krel
