#include "editor/SourceChooser.h"

#include "common/PathText.h"
#include "editor/EditorSession.h"
#include "encyclopedia/Parser.h"
#include "exchange/Reset.h"
#include "exchange/Staging.h"
#include "kit/Dialogs.h"

#include <QFile>

namespace krel {
namespace {
namespace fs = std::filesystem;

constexpr const char* kChooserTitle = "KREL Encyclopedia File or Files";
constexpr const char* kChooserFilter = "Text File|*.txt|Zip File|*.zip|MOB File|*.mob";

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

LogFn logTo(const EditorSession& session) {
    return [&session](const std::string& line) {
        session.Log(line);
    };
}

} // namespace

std::vector<fs::path> ChooseEncyclopediaSources(QWidget* parent) {
    const QStringList chosen = Dialogs().openFiles(parent, QString::fromLatin1(kChooserTitle),
                                                   fileDialogFilter(kChooserFilter), true);
    std::vector<fs::path> selection;
    for (const QString& file : chosen)
        selection.emplace_back(QFile::encodeName(file).toStdString());
    return selection;
}

std::optional<SourceRecords> ReadChosenEncyclopedia(EditorSession& session, QWidget* parent) {
    const std::vector<fs::path> selection = ChooseEncyclopediaSources(parent);
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
