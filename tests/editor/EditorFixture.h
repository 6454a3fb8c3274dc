#pragma once
// A frame in a private test world with a hand-made game folder, and the editor window opened
// from its menu command as a user opens it. The window's controls are found by their names, as
// the window's documentation gives them; its list model is checked by Qt's model tester
// throughout.

#include "editor/EncEditorMain.h"
#include "editor/EntryBrowser.h"
#include "editor/EntryListModel.h"
#include "frame/MainForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnvironment.h"
#include "support/TestZip.h"

#include <QPointer>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QPushButton;

namespace krel::test {

using Member = std::pair<std::string, std::string>; // listed name, bytes

// Writes a ZIP archive holding the members in the order given, stored with "/" as the game
// stores them.
void MakeArchive(const std::filesystem::path& archive, const std::vector<Member>& members);
// Spoils the stored data of a member so that reading it fails its check.
void SpoilMember(const std::filesystem::path& archive, const std::string& storedName);

// The encyclopedia the tests browse: two headers, a default page stored as "Eror", entries
// with keywords, related links, a two-line text and pictures.
std::vector<T_EncEntry> SmallEncyclopedia();
std::string TitlesBytes(const std::vector<T_EncEntry>& records);
std::string ContentsBytes(const std::vector<T_EncEntry>& records);

class EditorTest : public ::testing::Test {
protected:
    EditorTest();
    ~EditorTest() override;

    TestEnvironment env;
    ScriptedDialogs dialogs;
    std::filesystem::path game;
    std::filesystem::path work;
    std::unique_ptr<TKrelEditMainForm> frame;
    QPointer<TEncEditorMain> editor;

    std::filesystem::path dataFolder() const;
    std::filesystem::path assetArchive() const;
    // The string archive with the two members (and any extra ones).
    void writeStringArchive(const std::vector<T_EncEntry>& records, std::vector<Member> extra = {});
    void writeLooseFiles(const std::string& titles, const std::string& contents);
    void writePictures(const std::vector<Member>& members);

    // Starts the frame and opens the editor through "Encyclopedia Editor".
    TEncEditorMain& open();
    // The game's archive, no loose files, the message box answered: a loaded window.
    TEncEditorMain& openSmall();

    // A control of the editor window by its name ("Edit", "EntryListBox", "Link1", ...).
    template <class Control = QWidget> Control* control(const char* name) const {
        Control* found = editor->findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(std::string("no control ") + name);
        return found;
    }
    QPushButton* button(const char* name) const;
    EntryListModel& listRows() const { return editor->Browser().Rows(); }
    const T_EncEntry* shown() const { return editor->Browser().CurrentEntry(); }
    std::string shownTitle() const;

    std::vector<std::string> log() const;
    std::vector<std::string> logSince(size_t line) const;
    std::string status() const;
    // Row texts of the list, as drawn.
    std::vector<std::string> rows() const;
    int rowOf(const std::string& text) const;
    const T_EncEntry* entry(const std::string& tag) const;
    void clickRow(int row, Qt::MouseButton button = Qt::LeftButton);
};

// True when the lines hold wanted in this order (other lines may come between).
::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& wanted);

} // namespace krel::test
