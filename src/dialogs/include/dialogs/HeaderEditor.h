#pragma once
// THeaderEditor: edits one header's title and the ordered list of its member entries. The caller
// hands in the header (EditHeader, or NewHeader with the number a new one gets) and after OK
// takes the answer (Draft); the dialog itself changes no record. Rows are reordered by dragging
// one onto another: it lands just before that row.

#include "dialogs/DialogErrors.h"
#include "encyclopedia/Edits.h"

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

    // Shows a header: its number, its title and a row for each member tag that names an entry.
    void EditHeader(const HeaderDraft& header);
    // Shows the number of a header about to be made; title and rows stay as they are.
    void NewHeader(const std::string& tag);
    // The header as the dialog holds it now; rows whose record has gone are left out.
    HeaderDraft Draft() const;
    // Appends a member row for an entry (shown by its title); nothing for a record not there.
    void AddMember(RecordId entry);
    // The members' identities, top to bottom.
    std::vector<RecordId> Members() const;

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
    void describeControls();
    bool mouseMoved(const QPoint& point);
    bool mouseReleased(const QPoint& point);
    void endDrag();

    // The encyclopedia whose entries the rows and the picker show.
    const Encyclopedia& encyclopedia_;
    // The drag under way: the row it began on and that row's record.
    int dragRow_ = -1;
    RecordId dragged_ = RecordId::None;
    QPoint pressPoint_;
    bool dragging_ = false;
};

} // namespace krel
