#pragma once
// The changes window: what the encyclopedia in the editor changes against another one (the
// game's own copy, or any source the user chose), entry by entry and header by header. The list
// can be narrowed to one kind of change; the selected change shows both versions side by side;
// "Revert to this version" takes that one record back as one undo step, and a double click
// shows the entry in the editor window. The list follows every change to the encyclopedia,
// undo and redo included.

#include "encyclopedia/Compare.h"
#include "encyclopedia/Encyclopedia.h"

#include <QDialog>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace krel {

class EntryBrowser;
class VersionPanes;
struct EditorSession;

class ChangesWindow : public QDialog {
    Q_OBJECT
public:
    ChangesWindow(EditorSession& session, EntryBrowser& browser, QWidget* parent);
    ~ChangesWindow() override;

    // Compares against base from now on; name says where it came from.
    void CompareWith(std::unique_ptr<Encyclopedia> base, const std::string& name);

    const Comparison& Changes() const { return comparison_; }
    // The change of a row of the list as it is shown (filtered), or nullptr.
    const RecordChange* ChangeAt(int row) const;
    int RowCount() const;
    void SelectRow(int row);

    void RevertClick();
    void RowDoubleClicked(int row);

signals:
    // "Compare With..." was chosen: the owner asks for a source and calls CompareWith.
    void otherSourceWanted();

private:
    void buildControls();
    void refresh();
    void fillList();
    void showSelected();
    int selectedRow() const;

    EditorSession& session_;
    EntryBrowser& browser_;
    std::unique_ptr<Encyclopedia> base_;
    Comparison comparison_;
    QLabel* source_;
    QLabel* counts_;
    QComboBox* kindFilter_;
    QTreeWidget* list_;
    VersionPanes* versions_;
    QPushButton* revert_;
};

} // namespace krel
