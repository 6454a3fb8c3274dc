#pragma once
// The editor's tool windows opened for a screenshot: the editor on the game, a few edits of
// the kind a modder makes, then the changes window or the merge preview showing them.

class QWidget;

namespace krel {

class TKrelEditMainForm;

QWidget* OpenChangesForScreenshot(TKrelEditMainForm& frame);
QWidget* OpenMergePreviewForScreenshot(TKrelEditMainForm& frame);

} // namespace krel
