#pragma once
// THeaderEditor: edits one header's title and the ordered list of its member entries. The caller
// fills Title, EntryTag and the rows, and after OK reads Title and the rows' records back; the
// dialog itself changes no record. Rows are reordered by dragging one onto another: it lands
// just before that row.

#include "dialogs/DialogErrors.h"
#include "encyclopedia/Encyclopedia.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace krel {

class TRecordList;

class THeaderEditor : public QDialog {
    Q_OBJECT
public:
    explicit THeaderEditor(const Encyclopedia& editor, QWidget* parent = nullptr);

    QLineEdit* Title;
    QLineEdit* EntryTag;
    TRecordList* SSListBox1;
    QToolButton* Add;
    QToolButton* Delete;
    QPushButton* CloseBut;
    QPushButton* Apply;
    QCheckBox* CheckBox1;

    // The encyclopedia whose entries the picker offers.
    const Encyclopedia* Editor;

    // Appends a member row for an entry record (shown by its title).
    void AddMember(const T_EncEntry* entry);
    // The members' records, top to bottom.
    std::vector<const T_EncEntry*> Members() const;

    void AddClick();
    void DeleteClick();
    void SSListBox1MouseDown(const QPoint& point);
    // Follows a drag from the list's own rows; false when no such drag is underway.
    bool SSListBox1DragOver(const QPoint& point);
    void SSListBox1DragDrop(const QPoint& point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOut();
    bool mouseMoved(const QPoint& point);
    bool mouseReleased(const QPoint& point);
    void endDrag();

    // The drag under way: the row it began on and that row's record.
    int dragRow_ = -1;
    const T_EncEntry* dragged_ = nullptr;
    QPoint pressPoint_;
    bool dragging_ = false;
};

} // namespace krel
