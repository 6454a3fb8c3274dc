#pragma once
// The controls of the editor window, named as the window's documentation names them (each one
// also carries its name as object name), and the one place that lays them out. The window's
// parts each take the controls they serve.

#include <array>

class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class QWidget;

namespace krel {

class TDisplayLink;
class TDisplayPicture;

struct EditorControls {
    QListView* EntryListBox;
    QPushButton* TOC;
    QPushButton* SubjectIndex;
    QLineEdit* FilterText; // narrows the list as the user types
    QLineEdit* FindText;
    QPushButton* Find;
    QLabel* EntryTitle;
    TDisplayPicture* EntryImage;
    QPlainTextEdit* EntryDesc;
    std::array<TDisplayLink*, 4> Links; // Link1 to Link4
    QPushButton* CloseBut;
    QPushButton* Delete;
    QPushButton* Edit;
    QPushButton* Add;
    QPushButton* Import;
    QPushButton* Export;
    QPushButton* Install;
    QPushButton* Merge;
    QPushButton* Reset;
    QMenu* EntryMenu;  // "Edit" and "Delete" for an entry row
    QMenu* HeaderMenu; // the same for a header row
    QStatusBar* StatusBar;
    QLabel* StatusPanel1;
    QLabel* StatusPanel2; // "Modified" while there are unexported changes
    QSplitter* Splitter;  // between the list and the entry on display
};

// Creates the controls in the window, styled, with the command buttons disabled until a part
// takes them up, and lays them out: the list on the left, the entry on the right, the command
// buttons and the status bar below. Every control carries an accessible name and description.
EditorControls BuildEditorControls(QWidget& window);

} // namespace krel
