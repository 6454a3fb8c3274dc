#include "editor/EditorFactory.h"

#include "editor/EncEditorMain.h"
#include "shell/MainForm.h"

namespace krel {

void RegisterEncyclopediaEditor(TKrelEditMainForm& frame) {
    frame.setEditorFactory(
        [](TKrelEditMainForm& owner) -> QWidget* { return new TEncEditorMain(owner); });
}

} // namespace krel
