#include "editor/EntryCommands.h"

#include "dialogs/AddForm.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/HeaderEditor.h"
#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EntryBrowser.h"
#include "encyclopedia/Edits.h"
#include "encyclopedia/TextFormat.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace krel {
namespace {

constexpr const char* kDeleteQuestion = "Are you sure you want to delete this item?";

} // namespace

EntryCommands::EntryCommands(EditorSession& session, EntryBrowser& browser,
                             const EditorControls& controls)
    : session_(session), browser_(browser) {
    connectCommands(controls);
    connectKeys(controls);
}

void EntryCommands::connectCommands(const EditorControls& controls) {
    QWidget* window = &session_.Window;
    for (QPushButton* command : {controls.Edit, controls.Add, controls.Delete})
        command->setEnabled(true);
    connectGuarded(controls.Edit, &QPushButton::clicked, window, [this] { EditClick(); });
    connectGuarded(controls.Add, &QPushButton::clicked, window, [this] { AddClick(); });
    connectGuarded(controls.Delete, &QPushButton::clicked, window, [this] { DeleteClick(); });
    for (QMenu* menu : {controls.EntryMenu, controls.HeaderMenu}) {
        auto* edit = menu->findChild<QAction*>(QStringLiteral("Edit"));
        auto* remove = menu->findChild<QAction*>(QStringLiteral("Delete"));
        edit->setEnabled(true);
        remove->setEnabled(true);
        connectGuarded(edit, &QAction::triggered, window, [this] { EditClick(); });
        connectGuarded(remove, &QAction::triggered, window, [this] { DeleteClick(); });
    }
}

void EntryCommands::connectKeys(const EditorControls& controls) {
    QWidget* window = &session_.Window;
    auto key = [window](QKeySequence sequence, QWidget* scope, Qt::ShortcutContext context,
                        std::function<void()> command) {
        auto* shortcut = new QShortcut(sequence, scope);
        shortcut->setContext(context);
        connectGuarded(shortcut, &QShortcut::activated, window, command);
    };
    // Delete and Enter belong to the list, so the search box keeps its own.
    QListView* list = controls.EntryListBox;
    key(Qt::Key_Delete, list, Qt::WidgetShortcut, [this] { DeleteClick(); });
    key(Qt::Key_Return, list, Qt::WidgetShortcut, [this] { EditClick(); });
    key(Qt::Key_Enter, list, Qt::WidgetShortcut, [this] { EditClick(); });
    const auto inWindow = Qt::WidgetWithChildrenShortcut;
    key(Qt::Key_F2, window, inWindow, [this] { EditClick(); });
    key(Qt::Key_Insert, window, inWindow, [this] { AddClick(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_N), window, inWindow, [this] { AddClick(); });
    QLineEdit* search = controls.FindText;
    key(QKeySequence(Qt::CTRL | Qt::Key_F), window, inWindow, [search] {
        search->setFocus(Qt::ShortcutFocusReason);
        search->selectAll();
    });
}

void EntryCommands::EditClick() {
    editorGuard("EditClick()", [this] {
        const T_EncEntry* selected = browser_.SelectedRecord();
        if (!selected)
            return;
        if (selected->Kind == ekHeader)
            return editHeader(selected);
        if (selected->Kind != ekEntry)
            return;
        // A row chosen through its context menu is shown before it is edited, so the entry
        // edited is always the one on display.
        if (selected != browser_.CurrentEntry())
            browser_.SelectEntry(selected);
        if (const T_EncEntry* current = browser_.CurrentEntry())
            editEntry(current);
    });
}

void EntryCommands::editEntry(const T_EncEntry* entry) {
    const RecordId edited = session_.Records.IdOf(entry);
    const T_General_Preferences& folders = session_.Context.Preferences.General;
    TEncEntryEditor dialog(session_.Records, &session_.Window);
    dialog.Edit(*entry, edited, browser_.Picture());
    dialog.SetGameFolders(folders.BaseDir, folders.TempDir);
    dialog.setWindowTitle(QStringLiteral("Editing Entry"));
    if (dialog.exec() != QDialog::Accepted || !session_.Records.Find(edited))
        return;
    const EntryDraft draft = dialog.Draft();
    changeAsStep(QStringLiteral("Edit Entry"),
                 [&] { ApplyEntryDraft(session_.Records, session_.Records.Find(edited), draft); });
    browser_.ShowEdited(draft.Fields.Tag);
    browser_.SetStatus("Entry \"" + draft.Fields.Title + "\" saved");
}

void EntryCommands::editHeader(const T_EncEntry* header) {
    const RecordId edited = session_.Records.IdOf(header);
    THeaderEditor dialog(session_.Records, &session_.Window);
    dialog.EditHeader(DraftOfHeader(session_.Records, *header));
    if (dialog.exec() != QDialog::Accepted || !session_.Records.Find(edited))
        return;
    const HeaderDraft draft = dialog.Draft();
    changeAsStep(QStringLiteral("Edit Header"),
                 [&] { ApplyHeaderDraft(session_.Records, session_.Records.Find(edited), draft); });
    browser_.SetStatus("Header \"" + draft.Title + "\" saved");
}

void EntryCommands::AddClick() {
    editorGuard("AddClick()", [this] {
        TAddForm chooser(&session_.Window);
        if (chooser.exec() != QDialog::Accepted)
            return;
        if (chooser.WantsHeader())
            addHeader();
        else
            addEntry();
    });
}

void EntryCommands::addHeader() {
    THeaderEditor dialog(session_.Records, &session_.Window);
    dialog.NewHeader(NextHeaderTag(session_.Records));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const HeaderDraft draft = dialog.Draft();
    changeAsStep(QStringLiteral("Add Header"), [&] { AddHeader(session_.Records, draft); });
    browser_.SetStatus("Header \"" + draft.Title + "\" added");
}

void EntryCommands::addEntry() {
    const T_General_Preferences& folders = session_.Context.Preferences.General;
    TEncEntryEditor dialog(session_.Records, &session_.Window);
    dialog.SetGameFolders(folders.BaseDir, folders.TempDir);
    dialog.Apply->setText(QStringLiteral("Add"));
    dialog.setWindowTitle(QStringLiteral("New Entry Editor"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const EntryDraft draft = dialog.Draft();
    changeAsStep(QStringLiteral("Add Entry"), [&] { AddEntry(session_.Records, draft); });
    browser_.SetStatus("Entry \"" + draft.Fields.Title + "\" added");
}

void EntryCommands::DeleteClick() {
    editorGuard("DeleteClick()", [this] {
        const T_EncEntry* selected = browser_.SelectedRecord();
        if (!selected || selected->Kind == ekLetter)
            return;
        if (ShowMessage(&session_.Window, MsgIcon::Confirmation, kDeleteQuestion,
                        {MsgButton::Yes, MsgButton::No}) != MsgButton::Yes)
            return;
        const bool header = selected->Kind == ekHeader;
        const std::string deleted =
            header ? "Header \"" + std::string(HeaderTitle(selected->Content)) + "\" deleted"
                   : "Entry \"" + selected->Title + "\" deleted";
        changeAsStep(header ? QStringLiteral("Delete Header") : QStringLiteral("Delete Entry"),
                     [&] { session_.Records.Remove(selected); });
        // The removed record may have been on display: the default page takes its place.
        browser_.RecordsChanged();
        browser_.SetStatus(deleted);
    });
}

// One undoable step: the change to the records, then the list rebuilt for the current view.
void EntryCommands::changeAsStep(const QString& name, const std::function<void()>& change) {
    session_.History->PushStep(name, [&] {
        change();
        browser_.BuildList("");
    });
}

} // namespace krel
