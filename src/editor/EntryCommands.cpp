// The editing commands: edit, add and delete an entry or a header through their dialogs, each
// one undoable step on the window's history, and the question before unsaved changes are lost.

#include "dialogs/AddForm.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/HeaderEditor.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/TagEdit.h"
#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EditorWidgets.h"
#include "editor/EncEditorMain.h"
#include "editor/EntryListDrag.h"
#include "editor/EntryListModel.h"
#include "encyclopedia/TextFormat.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QUndoGroup>
#include <QUndoStack>

namespace krel {
namespace {

constexpr const char* kNoHeader = "(none)";
constexpr const char* kDeleteQuestion = "Are you sure you want to delete this item?";
constexpr const char* kDiscardQuestion =
    "The encyclopedia has changes that have not been exported.  Discard them?";

std::string trimmed(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return std::string(text.substr(first, last - first));
}

// Replaces every item equal to from (exact bytes) by to, leaving the other items as written.
std::string replaceItem(std::string_view list, std::string_view from, const std::string& to) {
    std::string result;
    size_t copied = 0;
    for (const CommaItem& item : ScanCommaList(list)) {
        if (item.Value != from)
            continue;
        result.append(list.substr(copied, item.Start - copied));
        result += BuildCommaList({to});
        copied = item.End;
    }
    if (copied == 0)
        return std::string(list);
    result.append(list.substr(copied));
    return result;
}

std::string headerContent(const std::string& title, const std::vector<const T_EncEntry*>& rows) {
    if (rows.empty())
        return title;
    std::vector<std::string> tags;
    tags.reserve(rows.size());
    for (const T_EncEntry* row : rows)
        tags.push_back(row->Tag);
    return title + ":" + BuildCommaList(tags);
}

// The entry's fields as the entry editor hands them back.
void readEntryDialog(const TEncEntryEditor& dialog, T_EncEntry& entry) {
    entry.Title = FromQt(dialog.Title->text());
    entry.Keywords = FromQt(dialog.Keywords->text());
    std::vector<std::string> related;
    for (const TLinkLabel* link : dialog.Links())
        if (link->Record)
            related.push_back(link->Record->Tag);
    entry.Related = BuildCommaList(related);
    entry.Image = dialog.EntryCopy.Image;
    entry.Content = dialog.ContentText();
}

} // namespace

void TEncEditorMain::setUpEditing() {
    History = new EditHistory(
        EntryList, [this](const ListSnapshot& records) { restoreSnapshot(records); }, this);
    setWindowTitle(windowTitle() + QStringLiteral("[*]"));
    connect(History, &EditHistory::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget()))
            subWindow->setWindowModified(modified);
    });
    context_.UndoGroup.addStack(&History->Stack());
    context_.UndoGroup.setActiveStack(&History->Stack());
    connectCommands();
    new EntryListDrag(*this);
}

void TEncEditorMain::connectCommands() {
    for (QPushButton* command : {Edit, Add, Delete})
        command->setEnabled(true);
    connectGuarded(Edit, &QPushButton::clicked, this, [this] { EditClick(); });
    connectGuarded(Add, &QPushButton::clicked, this, [this] { AddClick(); });
    connectGuarded(Delete, &QPushButton::clicked, this, [this] { DeleteClick(); });
    for (QMenu* menu : {EntryMenu, HeaderMenu}) {
        for (const char* name : {"Edit", "Delete"})
            menu->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(true);
        connectGuarded(menu->findChild<QAction*>(QStringLiteral("Edit")), &QAction::triggered, this,
                       [this] { EditClick(); });
        connectGuarded(menu->findChild<QAction*>(QStringLiteral("Delete")), &QAction::triggered,
                       this, [this] { DeleteClick(); });
    }
    connectKeys();
}

void TEncEditorMain::connectKeys() {
    auto key = [this](QKeySequence sequence, QWidget* scope, Qt::ShortcutContext context,
                      std::function<void()> command) {
        auto* shortcut = new QShortcut(sequence, scope);
        shortcut->setContext(context);
        connectGuarded(shortcut, &QShortcut::activated, this, command);
    };
    // Delete and Enter belong to the list, so the search box keeps its own.
    key(Qt::Key_Delete, EntryListBox, Qt::WidgetShortcut, [this] { DeleteClick(); });
    key(Qt::Key_Return, EntryListBox, Qt::WidgetShortcut, [this] { EditClick(); });
    key(Qt::Key_Enter, EntryListBox, Qt::WidgetShortcut, [this] { EditClick(); });
    const auto window = Qt::WidgetWithChildrenShortcut;
    key(Qt::Key_F2, this, window, [this] { EditClick(); });
    key(Qt::Key_Insert, this, window, [this] { AddClick(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_N), this, window, [this] { AddClick(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_F), this, window, [this] {
        FindText->setFocus(Qt::ShortcutFocusReason);
        FindText->selectAll();
    });
}

const T_EncEntry* TEncEditorMain::SelectedRecord() const {
    const QModelIndex current = EntryListBox->currentIndex();
    if (!current.isValid() || !EntryListBox->selectionModel()->isSelected(current))
        return nullptr;
    return EntryRows->Record(current.row());
}

void TEncEditorMain::EditClick() {
    editorGuard("EditClick()", [this] {
        const T_EncEntry* selected = SelectedRecord();
        if (!selected)
            return;
        if (selected->Kind == ekHeader)
            return editHeader(selected);
        if (selected->Kind != ekEntry)
            return;
        // A row chosen through its context menu is shown before it is edited, so the entry
        // edited is always the one on display.
        if (selected != CurrentEntry)
            SelectEntry(selected);
        if (CurrentEntry)
            editEntry(CurrentEntry);
    });
}

void TEncEditorMain::editEntry(const T_EncEntry* entry) {
    TEncEntryEditor dialog(EntryList, this);
    dialog.EntryCopy = *entry;
    dialog.EditedEntry = entry;
    dialog.EditorPicture = EntryImage->picture();
    dialog.BaseDir = context_.Preferences.General.BaseDir;
    dialog.TempDir = context_.Preferences.General.TempDir;
    dialog.setWindowTitle(QStringLiteral("Editing Entry"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string newTag = FromQt(dialog.EntryTag->text());
    History->PushStep(QStringLiteral("Edit Entry"), [&] {
        moveToHeader(entry, FromQt(dialog.Header->text()));
        if (newTag != entry->Tag)
            renameTag(entry->Tag, newTag);
        EntryList.Modify(entry, [&](T_EncEntry& edited) {
            edited.Tag = newTag;
            readEntryDialog(dialog, edited);
        });
        BuildList("");
    });
    showEdited(newTag);
}

// Header membership follows the header named in the dialog; "(none)" leaves it in none.
void TEncEditorMain::moveToHeader(const T_EncEntry* entry, const std::string& headerTitle) {
    const T_EncEntry* header = EntryList.GetHeader(entry);
    const std::string oldTitle = header ? trimmed(HeaderTitle(header->Content)) : kNoHeader;
    if (headerTitle == oldTitle)
        return;
    const bool toNone = EqualsIgnoreCase(headerTitle, kNoHeader);
    for (size_t i = 0; i < EntryList.Count(); ++i) {
        const T_EncEntry* record = EntryList.At(i);
        if (record->Kind != ekHeader)
            continue;
        if (record->Content.find(entry->Tag) != std::string::npos)
            EntryList.RemoveEntryFromHeader(entry, record);
        if (!toNone && EqualsIgnoreCase(HeaderTitle(record->Content), headerTitle))
            EntryList.AddEntryToHeader(entry, record);
    }
}

// A changed tag follows into every header's member list and every entry's related list.
void TEncEditorMain::renameTag(const std::string& from, const std::string& to) {
    for (size_t i = 0; i < EntryList.Count(); ++i) {
        const T_EncEntry* record = EntryList.At(i);
        if (record->Kind == ekHeader &&
            HeaderMembers(record->Content).find(from) != std::string::npos) {
            EntryList.Modify(record, [&](T_EncEntry& header) {
                const size_t colon = header.Content.find(':');
                header.Content = header.Content.substr(0, colon + 1) +
                                 replaceItem(HeaderMembers(header.Content), from, to);
            });
        } else if (record->Kind == ekEntry && record->Related.find(from) != std::string::npos) {
            EntryList.Modify(record, [&](T_EncEntry& other) {
                other.Related = replaceItem(other.Related, from, to);
            });
        }
    }
}

// Shows the edited entry afresh when the current view lists it.
void TEncEditorMain::showEdited(const std::string& tag) {
    for (int row = 0; row < EntryRows->rowCount(); ++row) {
        const T_EncEntry* record = EntryRows->Record(row);
        if (record && EqualsIgnoreCase(record->Tag, tag)) {
            CurrentEntry = nullptr;
            EntryListBox->setCurrentIndex(EntryRows->index(row));
            EntryListBoxItemClick(row);
            return;
        }
    }
}

void TEncEditorMain::editHeader(const T_EncEntry* header) {
    THeaderEditor dialog(EntryList, this);
    dialog.EntryTag->setText(ToQt(header->Tag));
    dialog.Title->setText(ToQt(std::string(HeaderTitle(header->Content))));
    CommaListReader members(HeaderMembers(header->Content));
    while (std::optional<std::string_view> tag = members.Next())
        if (const T_EncEntry* member = EntryList.GetEntryOnlyByTag(*tag))
            dialog.AddMember(member);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string content = headerContent(FromQt(dialog.Title->text()), dialog.Members());
    History->PushStep(QStringLiteral("Edit Header"), [&] {
        EntryList.Modify(header, [&](T_EncEntry& edited) { edited.Content = content; });
        BuildList("");
    });
}

void TEncEditorMain::AddClick() {
    editorGuard("AddClick()", [this] {
        TAddForm chooser(this);
        if (chooser.exec() != QDialog::Accepted)
            return;
        if (chooser.Header->isChecked())
            addHeader();
        else
            addEntry();
    });
}

void TEncEditorMain::addHeader() {
    THeaderEditor dialog(EntryList, this);
    dialog.EntryTag->setText(ToQt(FormatHeaderTag(EntryList.GetLastHeaderTag() + 1)));
    if (dialog.exec() != QDialog::Accepted)
        return;
    T_EncEntry header;
    header.Kind = ekHeader;
    header.Tag = FromQt(dialog.EntryTag->text());
    header.Content = headerContent(FromQt(dialog.Title->text()), dialog.Members());
    History->PushStep(QStringLiteral("Add Header"), [&] {
        EntryList.Append(std::move(header));
        BuildList("");
    });
}

void TEncEditorMain::addEntry() {
    TEncEntryEditor dialog(EntryList, this);
    dialog.BaseDir = context_.Preferences.General.BaseDir;
    dialog.TempDir = context_.Preferences.General.TempDir;
    dialog.Apply->setText(QStringLiteral("Add"));
    dialog.setWindowTitle(QStringLiteral("New Entry Editor"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    T_EncEntry entry;
    entry.Kind = ekEntry;
    entry.Tag = FromQt(dialog.EntryTag->text());
    readEntryDialog(dialog, entry);
    const std::string headerTitle = FromQt(dialog.Header->text());
    History->PushStep(QStringLiteral("Add Entry"), [&] {
        const T_EncEntry* added = EntryList.Append(std::move(entry));
        if (!EqualsIgnoreCase(headerTitle, kNoHeader))
            EntryList.AddEntryToHeaderByTitle(added, headerTitle);
        BuildList("");
    });
}

void TEncEditorMain::DeleteClick() {
    editorGuard("DeleteClick()", [this] {
        const T_EncEntry* selected = SelectedRecord();
        if (!selected || selected->Kind == ekLetter)
            return;
        if (ShowMessage(this, MsgIcon::Confirmation, kDeleteQuestion,
                        {MsgButton::Yes, MsgButton::No}) != MsgButton::Yes)
            return;
        const bool header = selected->Kind == ekHeader;
        History->PushStep(header ? QStringLiteral("Delete Header") : QStringLiteral("Delete Entry"),
                          [&] { RemoveRecord(selected); });
        // The removed record may have been on display: the default page takes its place.
        if (!CurrentEntry)
            SelectEntry(nullptr);
    });
}

bool TEncEditorMain::ConfirmDiscardChanges() {
    return editorGuard("ConfirmDiscardChanges()", [this] {
        return !History->IsModified() ||
               ShowMessage(this, MsgIcon::Confirmation, kDiscardQuestion,
                           {MsgButton::Yes, MsgButton::No}) == MsgButton::Yes;
    });
}

// Undo and redo put a whole list back; the display stays on the entry with the tag it showed,
// or falls back to the default page when that entry is gone.
void TEncEditorMain::restoreSnapshot(const ListSnapshot& records) {
    editorGuard("RestoreSnapshot()", [&] {
        const std::string shownTag = CurrentEntry ? CurrentEntry->Tag : std::string();
        forgetRecords();
        std::vector<T_EncEntry> copies;
        copies.reserve(records.size());
        for (const auto& record : records)
            copies.push_back(*record);
        EntryList.Replace(std::move(copies));
        BuildList("");
        SelectEntry(shownTag.empty() ? nullptr : EntryList.GetEntryOnlyByTag(shownTag));
    });
}

} // namespace krel
