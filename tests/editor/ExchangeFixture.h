#pragma once
// The editor window loaded from a hand-made game, with helpers to write other encyclopedias
// where the user would pick them and to read back what the commands left on disk.

#include "EditorFixture.h"
#include "common/AtomicFile.h"
#include "editor/EditHistory.h"

#include <QPushButton>
#include <QUndoStack>

namespace krel::test {

// An encyclopedia unlike the small one in every record.
inline std::vector<T_EncEntry> OtherEncyclopedia() {
    return {{ekHeader, "", "", "", "", "Moons:M001", "0001"},
            {ekEntry, "Galactic Encyclopedia", "", "", "", "Welcome aboard.", "EROR"},
            {ekEntry, "Pale Moon", "", "moon", "", "Cold and quiet.", "M001"}};
}

class ExchangeTest : public EditorTest {
protected:
    std::filesystem::path folder(const std::string& name) const {
        std::filesystem::path made = env.root() / name;
        std::filesystem::create_directories(made);
        return made;
    }
    // Writes the pair into dir under the names given; returns {contents, titles} as the chooser
    // would hand them over.
    QStringList writePair(const std::filesystem::path& dir, const std::vector<T_EncEntry>& records,
                          const std::string& contentsName = "wsEncyclopedia.txt",
                          const std::string& titlesName = "wsEncyclopediaTitles.txt") const {
        WriteFileAtomic(dir / contentsName, ContentsBytes(records));
        WriteFileAtomic(dir / titlesName, TitlesBytes(records));
        return {QString::fromStdString((dir / contentsName).string()),
                QString::fromStdString((dir / titlesName).string())};
    }
    std::string workFile(const std::string& name) const { return ReadWholeFile(work / name); }
    // The list, one readable line a record.
    std::vector<std::string> list() const {
        std::vector<std::string> lines;
        for (const T_EncEntry& r : editor->EntryList().Snapshot())
            lines.push_back(std::to_string(r.Kind) + "|" + r.Tag + "|" + r.Title + "|" + r.Image +
                            "|" + r.Keywords + "|" + r.Related + "|" + r.Content);
        return lines;
    }
    // An edit as the entry commands make it: one undoable step.
    void editTitle(const std::string& tag, const std::string& title) {
        editor->History().PushStep(QStringLiteral("Edit Entry"), [&] {
            editor->EntryList().Modify(entry(tag),
                                       [&](T_EncEntry& record) { record.Title = title; });
            editor->Browser().BuildList("");
        });
    }
    void undo() { editor->History().Stack().undo(); }
};

} // namespace krel::test
