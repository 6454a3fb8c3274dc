// Browsing: the three views of the list, the entry display with its picture and related
// links, and the list's context menus.

#include "dialogs/GraphicForm.h"
#include "editor/EditorGuard.h"
#include "editor/EditorWidgets.h"
#include "editor/EncEditorMain.h"
#include "editor/EntryListModel.h"
#include "encyclopedia/TextFormat.h"
#include "kit/DebugLog.h"
#include "kit/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace krel {
namespace {

constexpr const char* kDefaultPageTag = "EROR";

// The body text as shown: every "/p" starts a new line.
QString bodyText(std::string_view content) {
    std::string text;
    text.reserve(content.size());
    for (size_t at = 0; at < content.size(); ++at) {
        if (content.substr(at, 2) == "/p") {
            text += "\r\n";
            ++at;
        } else {
            text += content[at];
        }
    }
    return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

ViewMode TEncEditorMain::CurrentMode() const {
    if (TOC->isChecked())
        return ViewMode::TableOfContents;
    if (SubjectIndex->isChecked())
        return ViewMode::SubjectIndex;
    return ViewMode::Search;
}

void TEncEditorMain::BuildList(const std::string& searchText) {
    const ViewMode mode = CurrentMode();
    EntryRows->Rebuild(mode, [&](RowSink& rows) {
        krel::BuildList(EntryList, mode, searchText, rows,
                        [this](const std::string& line) { log(line); });
    });
}

void TEncEditorMain::TOCClick() {
    editorGuard("SSButton1Click()", [this] {
        TOC->setChecked(true);
        SubjectIndex->setChecked(false);
        BuildList("");
    });
}

void TEncEditorMain::SubjectIndexClick() {
    editorGuard("SSButton2Click()", [this] {
        SubjectIndex->setChecked(true);
        TOC->setChecked(false);
        BuildList("");
    });
}

void TEncEditorMain::FindClick() {
    editorGuard("FindClick()", [this] {
        TOC->setChecked(false);
        SubjectIndex->setChecked(false);
        BuildList(FromQt(FindText->text()));
    });
}

void TEncEditorMain::FindTextKeyDown() {
    editorGuard("FindTextKeyDown", [this] { FindClick(); });
}

void TEncEditorMain::EntryListBoxItemClick(int row) {
    editorGuard("EntryListBoxItemClick()", [&] {
        if (EntryRows->Selectable(row))
            SelectEntry(EntryRows->Record(row));
    });
}

void TEncEditorMain::LinkClick(int link) {
    editorGuard("LinkClick()", [&] {
        if (const T_EncEntry* target = linkTargets_.at(static_cast<size_t>(link)))
            SelectEntry(target);
    });
}

// The graphic browser only shows the archive's pictures here; its choice is not used.
void TEncEditorMain::EntryImageDblClick() {
    editorGuard("EntryImageDblClick()", [this] {
        TGraphicForm browser(context_.Preferences.General.BaseDir,
                             context_.Preferences.General.TempDir, this);
        browser.exec();
    });
}

void TEncEditorMain::EntryListBoxMouseDown(Qt::MouseButton button, QPoint position,
                                           QPoint screenPosition) {
    editorGuard("EntryListBoxMouseDown()", [&] {
        if (button != Qt::RightButton)
            return;
        const T_EncEntry* record = EntryRows->Record(EntryListBox->indexAt(position).row());
        if (!record)
            return;
        if (record->Kind == ekEntry)
            EntryMenu->popup(screenPosition);
        else if (record->Kind == ekHeader)
            HeaderMenu->popup(screenPosition);
    });
}

void TEncEditorMain::SelectEntry(const T_EncEntry* record) {
    editorGuard("SelectEntry()", [&] {
        if (!record || record->Kind != ekEntry)
            record = EntryList.GetEntryByTag(kDefaultPageTag);
        if (record == CurrentEntry)
            return;
        CurrentEntry = record;
        clearDisplay();
        // Without a default page, headers, letters and "none" show an empty display.
        if (!record)
            return;
        log("Selecting Entry: " + record->Title + " ...");
        if (!record->Image.empty())
            showPicture(*record);
        EntryDesc->setPlainText(bodyText(record->Content));
        EntryTitle->setText(ToQt(record->Title));
        showLinks(*record);
        log("Display updated");
    });
}

void TEncEditorMain::clearDisplay() {
    EntryTitle->clear();
    EntryDesc->clear();
    for (size_t i = 0; i < links_.size(); ++i) {
        links_[i]->clear();
        linkTargets_[i] = nullptr;
    }
    EntryImage->clear();
}

// A picture that cannot be shown never stops the display: the entry is shown without it and
// the reason goes to the debug log.
void TEncEditorMain::showPicture(const T_EncEntry& record) {
    log("-> Extracting Image: " + record.Image);
    std::optional<std::string> member = pictures_.FindMember(Paths().AssetArchive, record.Image);
    if (!member) {
        log("-> Failed to located image.");
        return;
    }
    try {
        EntryImage->setPicture(pictures_.Load(*member));
        log("-> Image Extracted");
    } catch (const std::exception& e) {
        log("-> Failed to show image " + *member + ": " + e.what());
    }
}

void TEncEditorMain::showLinks(const T_EncEntry& record) {
    if (record.Related.empty())
        return;
    std::vector<std::string> tags = SplitCommaList(record.Related);
    for (size_t i = 0; i < tags.size() && i < links_.size(); ++i) {
        if (const T_EncEntry* target = EntryList.GetEntryByTag(tags[i])) {
            links_[i]->setText(ToQt(target->Title));
            linkTargets_[i] = target;
        }
    }
}

void TEncEditorMain::RemoveRecord(const T_EncEntry* record) {
    editorGuard("RemoveRecord()", [&] {
        if (record == CurrentEntry) {
            CurrentEntry = nullptr;
            clearDisplay();
        }
        for (size_t i = 0; i < links_.size(); ++i) {
            if (linkTargets_[i] == record) {
                links_[i]->clear();
                linkTargets_[i] = nullptr;
            }
        }
        EntryRows->Clear();
        EntryList.Remove(record);
        BuildList("");
    });
}

} // namespace krel
