#include "editor/SourceChooser.h"

#include "common/PathText.h"
#include "editor/EditorSession.h"
#include "encyclopedia/Parser.h"
#include "exchange/Reset.h"
#include "exchange/Staging.h"
#include "kit/Dialogs.h"
#include "kit/QtText.h"

#include <QFile>

namespace krel {
namespace {
namespace fs = std::filesystem;

constexpr const char* kChooserTitle = "KREL Encyclopedia File or Files";
constexpr const char* kChooserFilter = "Text File|*.txt|Zip File|*.zip|MOB File|*.mob";
constexpr const char* kBothFilesNeeded =
    "An encyclopedia in text form is two files, wsEncyclopedia.txt and "
    "wsEncyclopediaTitles.txt.  Choose both together (hold Ctrl to select the second one), or "
    "choose one .zip or .mob archive that holds them.";

// The chooser's filter in the file dialog's own notation: "Name (*.ext);;...".
QString fileDialogFilter(std::string_view filter) {
    const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
    QStringList kinds;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        kinds << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return kinds.join(QStringLiteral(";;"));
}

std::vector<T_EncEntry> parsed(const BytesPair& bytes) {
    return ParseEncyclopedia(bytes.Titles, bytes.Contents).Records;
}

// One text file is half an encyclopedia: its partner is offered when it lies beside it,
// otherwise the user learns what to choose. False when nothing is to be read.
bool completeLoneTextFile(std::vector<fs::path>& selection, QWidget* parent) {
    if (!IsLoneTextFile(selection))
        return true;
    const std::optional<fs::path> partner = PartnerTextFile(selection.front());
    if (!partner) {
        ShowMessage(parent, MsgIcon::Information, kBothFilesNeeded);
        return false;
    }
    const std::string question = "An encyclopedia in text form is two files, chosen together.  "
                                 "Take " +
                                 PathText(*partner) + " from the same folder as well?";
    if (ShowMessage(parent, MsgIcon::Confirmation, question, {MsgButton::Yes, MsgButton::No}) !=
        MsgButton::Yes)
        return false;
    selection.push_back(*partner);
    return true;
}

LogFn logTo(const EditorSession& session) {
    return [&session](const std::string& line) {
        session.Log(line);
    };
}

} // namespace

std::vector<fs::path> ChooseEncyclopediaSources(EditorSession& session, QWidget* parent) {
    if (session.SourceFolder.empty())
        session.SourceFolder = FsPath(session.Context.Preferences.General.BaseDir);
    const QStringList chosen = Dialogs().openFiles(parent, QString::fromLatin1(kChooserTitle),
                                                   fileDialogFilter(kChooserFilter), true,
                                                   ToQt(PathText(session.SourceFolder)));
    std::vector<fs::path> selection;
    for (const QString& file : chosen)
        selection.emplace_back(QFile::encodeName(file).toStdString());
    if (selection.empty())
        return selection;
    session.SourceFolder = selection.front().parent_path();
    if (!completeLoneTextFile(selection, parent))
        selection.clear();
    return selection;
}

std::optional<SourceRecords> ReadChosenEncyclopedia(EditorSession& session, QWidget* parent) {
    const std::vector<fs::path> selection = ChooseEncyclopediaSources(session, parent);
    if (selection.empty())
        return std::nullopt;
    const SelectionBytes read = ReadSelection(selection, session.ZipMaster1, logTo(session));
    if (read.Result.Outcome != StageOutcome::Staged) {
        ShowMessage(parent, MsgIcon::Error, read.Result.Message);
        return std::nullopt;
    }
    return SourceRecords{parsed(read.Bytes), PathText(selection.front())};
}

SourceRecords ReadGameCopy(EditorSession& session) {
    const fs::path archive = session.Paths().StringArchive;
    return {parsed(ReadGameEncyclopedia(session.ZipMaster1, archive, logTo(session))),
            "the game's own copy (" + PathText(archive) + ")"};
}

} // namespace krel
