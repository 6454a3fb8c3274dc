#pragma once
// TEncEntryEditor: edits one entry, or composes a new one, on a copy of its record. The caller
// sets EntryCopy, EditedEntry and what the dialog cannot know itself (the picture the editor
// window shows, the game and work folders for the picture browser), shows it modally and on OK
// reads the fields back. The dialog changes nothing in the encyclopedia; it only refuses a tag
// that is not four characters long or that another record already carries.

#include "dialogs/DialogErrors.h"
#include "encyclopedia/Encyclopedia.h"

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

    // The record being edited, copied whole; an empty record for a new entry. Its Image
    // follows the picture chosen in the dialog.
    T_EncEntry EntryCopy;
    // The header found for EntryCopy when the dialog is shown.
    const T_EncEntry* EntryHeader = nullptr;
    const Encyclopedia* EditorMain;
    // The record of the encyclopedia being edited; nullptr for a new entry.
    const T_EncEntry* EditedEntry = nullptr;

    // The picture the editor window shows for the entry; shown when EntryCopy has an Image.
    QImage EditorPicture;
    // The game folder and the work folder, for the picture browser.
    std::string BaseDir;
    std::string TempDir;

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
    void connectHandlers();
    void showLinks();
    void refuseTag(const std::string& message);
    void endPictureHover();

    enum class Hover { None, Placeholder, Highlight };

    DialogService& dialogs_;
    QLabel* caption_;
    Hover hover_ = Hover::None;
    QImage keptPicture_;
};

} // namespace krel
