#pragma once
// TEncEntryEditor: edits one entry, or composes a new one. The caller hands in the entry's
// values (Edit) and what the dialog cannot know itself (the picture the editor window shows, the
// game and work folders for the picture browser), shows it modally and on OK takes the answer
// (Draft): the entry's fields and the title of its header. The dialog changes nothing in the
// encyclopedia; it only refuses a tag that is not four characters long or that another record
// already carries.

#include "dialogs/DialogErrors.h"
#include "encyclopedia/Edits.h"

#include <QDialog>
#include <QImage>
#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace krel {

class DialogService;
class TLinkLabel;
class TPictureBox;
class TTagEdit;

class TEncEntryEditor : public QDialog {
    Q_OBJECT
public:
    // Messages go through dialogs (the program's message service unless a test gives another).
    explicit TEncEntryEditor(const Encyclopedia& editorMain, QWidget* parent = nullptr);
    TEncEntryEditor(const Encyclopedia& editorMain, DialogService& dialogs, QWidget* parent);

    TTagEdit* EntryTag;
    QLineEdit* Title;
    QLineEdit* Keywords;
    QToolButton* KeywordButton;
    QLineEdit* Header;
    QToolButton* HeaderButton;
    TPictureBox* EntryImage;
    QLabel* SSLabel4;
    TLinkLabel* Link1;
    TLinkLabel* Link2;
    TLinkLabel* Link3;
    TLinkLabel* Link4;
    QPlainTextEdit* EntryDesc;
    QPushButton* Apply;
    QPushButton* CloseBut;

    // The entry to edit: its values, its identity (None for a new entry) and the picture the
    // editor window shows for it (shown when the entry names a picture).
    void Edit(const T_EncEntry& entry, RecordId edited, const QImage& picture);
    // The game folder and the work folder, for the picture browser.
    void SetGameFolders(std::string baseDir, std::string tempDir);
    // The entry as the dialog holds it now: the fields as typed, the related tags of the link
    // slots in order (slots whose record has gone are left out), the chosen picture's name.
    EntryDraft Draft() const;

    std::array<TLinkLabel*, 4> Links() const { return {Link1, Link2, Link3, Link4}; }
    // The picture as chosen, never the pointer-over highlight.
    QImage Picture() const;
    // EntryDesc's text as the encyclopedia keeps it: every line break written as "/p".
    std::string ContentText() const;

    void FormShow();
    void HeaderButtonClick();
    void Link1Click(TLinkLabel* link);
    void Link1MouseEnter();
    void Link1MouseLeave();
    void EntryImageMouseMove(const QPoint& point);
    void EntryImageMouseDown();
    void ApplyClick();
    void CloseButClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOut();
    void describeControls();
    void connectHandlers();
    void showLinks();
    void refuseTag(const std::string& message);
    void endPictureHover();
    std::string relatedTags() const;

    enum class Hover { None, Placeholder, Highlight };

    const Encyclopedia& encyclopedia_;
    DialogService& dialogs_;
    // The entry as handed in; its Image follows the picture chosen in the dialog.
    T_EncEntry entry_;
    RecordId edited_ = RecordId::None;
    QImage editorPicture_;
    std::string baseDir_;
    std::string tempDir_;
    QLabel* caption_;
    Hover hover_ = Hover::None;
    QImage keptPicture_;
};

} // namespace krel
