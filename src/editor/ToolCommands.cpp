#include "editor/ToolCommands.h"

#include "editor/ChangesWindow.h"
#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EntryBrowser.h"
#include "editor/MergePreviewDialog.h"
#include "editor/SourceChooser.h"
#include "encyclopedia/Completion.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"

namespace krel {
namespace {

std::unique_ptr<Encyclopedia> encyclopediaOf(const std::vector<T_EncEntry>& records) {
    auto encyclopedia = std::make_unique<Encyclopedia>();
    InstallParsed(*encyclopedia, records);
    return encyclopedia;
}

} // namespace

ToolCommands::ToolCommands(EditorSession& session, EntryBrowser& browser)
    : session_(session), browser_(browser) {}

ChangesWindow* ToolCommands::Changes() const {
    return changes_;
}

ChangesWindow& ToolCommands::changesWindow() {
    if (!changes_) {
        changes_ = new ChangesWindow(session_, browser_, &session_.Window);
        changes_->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(changes_, &ChangesWindow::otherSourceWanted, changes_,
                         [this] { guiGuard(changes_, [this] { CompareWithClick(); }); });
    }
    return *changes_;
}

void ToolCommands::ChangesClick() {
    editorGuard("ChangesClick()", [this] {
        const SourceRecords game = ReadGameCopy(session_);
        ChangesWindow& window = changesWindow();
        window.CompareWith(encyclopediaOf(game.Records), game.Name);
        window.show();
        window.raise();
    });
}

void ToolCommands::CompareWithClick() {
    editorGuard("CompareWithClick()", [this] {
        ChangesWindow& window = changesWindow();
        if (std::optional<SourceRecords> other = ReadChosenEncyclopedia(session_, &window))
            window.CompareWith(encyclopediaOf(other->Records), other->Name);
    });
}

void ToolCommands::MergePreviewClick() {
    editorGuard("MergePreviewClick()", [this] {
        std::optional<SourceRecords> incoming = ReadChosenEncyclopedia(session_, &session_.Window);
        if (!incoming)
            return;
        MergePreviewDialog dialog(PreviewMerge(session_.Records, incoming->Records),
                                  &session_.Window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        MergeResult result;
        session_.History->PushStep(QStringLiteral("Merge"), [&] {
            result = ApplyMerge(session_.Records, dialog.Preview());
            browser_.BuildList("");
            browser_.RecordsChanged();
        });
        ShowMessage(&session_.Window, MsgIcon::Information,
                    "Merge completed.  Items added: " + std::to_string(result.ItemsAdded) +
                        " Items Changed: " + std::to_string(result.ItemsChanged));
    });
}

} // namespace krel
