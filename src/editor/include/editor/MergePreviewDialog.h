#pragma once
// The merge preview: every incoming record the merge would add or that differs from mine, each
// with its choice (add it or leave it out; take theirs or keep mine), the two versions of the
// selected one side by side, and bulk choices for every conflict. Identical records and the
// headers the merge leaves out are not listed. The dialog only edits the choices; the caller
// applies them when it is accepted with Apply.

#include "encyclopedia/MergePreview.h"

#include <QDialog>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace krel {

class VersionPanes;

class MergePreviewDialog : public QDialog {
    Q_OBJECT
public:
    MergePreviewDialog(MergePreview preview, QWidget* parent);

    // The preview with the choices made so far.
    const MergePreview& Preview() const { return preview_; }
    // The rows listed, as indexes into the preview's records.
    const std::vector<size_t>& Listed() const { return listed_; }
    // Sets the choice of a listed row (take: add it, or take theirs).
    void Choose(int row, bool take);

    void TakeTheirsForAllClick();
    void KeepMineForAllClick();

private:
    void buildControls();
    void fillList();
    void syncChecks();
    void itemChanged(QTreeWidgetItem* item);
    void showSelected();

    MergePreview preview_;
    std::vector<size_t> listed_;
    QTreeWidget* list_;
    VersionPanes* versions_;
    bool syncing_ = false;
};

} // namespace krel
