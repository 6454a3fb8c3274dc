#include "EditorFixture.h"

#include "common/AtomicFile.h"
#include "editor/EntryListModel.h"
#include "encyclopedia/Writer.h"
#include "kit/DebugLog.h"
#include "kit/QtText.h"
#include "support/FakeGame.h"
#include "support/Records.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace krel::test {
namespace fs = std::filesystem;
namespace {

constexpr const char* kEnglish = "GameDataSets/Classic_01/GameData/English";

} // namespace

void MakeArchive(const fs::path& archive, const std::vector<Member>& members) {
    std::vector<ZipMember> stored;
    for (const auto& [name, bytes] : members) {
        stored.push_back({name, bytes});
        std::replace(stored.back().Name.begin(), stored.back().Name.end(), '\\', '/');
    }
    WriteTestZip(archive, stored);
}

void SpoilMember(const fs::path& archive, const std::string& storedName) {
    std::string bytes = ReadWholeFile(archive);
    size_t name = bytes.find(storedName);
    ASSERT_NE(name, std::string::npos);
    const auto extra = static_cast<unsigned char>(bytes[name - 2]) |
                       static_cast<unsigned char>(bytes[name - 1]) << 8;
    size_t data = name + storedName.size() + extra;
    bytes[data + 4] = static_cast<char>(bytes[data + 4] ^ 0x5A);
    WriteFileAtomic(archive, bytes);
}

std::vector<T_EncEntry> SmallEncyclopedia() {
    return {
        {ekHeader, "", "", "", "", "Worlds:W001,W002", "0001"},
        {ekHeader, "", "", "", "", "Ships:S001", "0002"},
        {ekEntry, "Galactic Encyclopedia", "", "", "", "Choose a topic on the left.", "Eror"},
        {ekEntry, "Ardent", "Ardent", "Stars, STAR, galaxy", "W002,S001,XXXX,Eror,W001",
         "A warm world.", "W001"},
        {ekEntry, "Bellwether", "Bell", "starbase", "", "First line/pSecond line", "W002"},
        {ekEntry, "Corsair", "Ship", "", "W001", "A fast raider.", "S001"},
    };
}

std::string TitlesBytes(const std::vector<T_EncEntry>& records) {
    return EncodeTitlesFile(MakeEncyclopedia(records)->GetEntryList());
}

std::string ContentsBytes(const std::vector<T_EncEntry>& records) {
    return EncodeContentsFile(MakeEncyclopedia(records)->GetEntryList());
}

EditorTest::EditorTest() : game(MakeFakeGame(env.root() / "game")), work(env.root() / "work") {
    fs::create_directories(work);
    fs::create_directories(dataFolder() / "wStrings");
    env.writeUserSettings(StoredSettings(game.string(), work.string(), true, false));
}

EditorTest::~EditorTest() {
    delete editor.data();
    frame.reset();
}

fs::path EditorTest::dataFolder() const {
    return game / kEnglish;
}

fs::path EditorTest::assetArchive() const {
    return game / "GameDataSets/Classic_01/GameAssets/Common/graphics.mob";
}

void EditorTest::writeStringArchive(const std::vector<T_EncEntry>& records,
                                    std::vector<Member> extra) {
    extra.insert(extra.begin(), {{"wStrings\\wsEncyclopedia.txt", ContentsBytes(records)},
                                 {"wStrings\\wsEncyclopediaTitles.txt", TitlesBytes(records)}});
    MakeArchive(dataFolder() / "wStrings.mob", extra);
}

void EditorTest::writeLooseFiles(const std::string& titles, const std::string& contents) {
    WriteFileAtomic(dataFolder() / "wStrings" / "wsEncyclopediaTitles.txt", titles);
    WriteFileAtomic(dataFolder() / "wStrings" / "wsEncyclopedia.txt", contents);
}

void EditorTest::writePictures(const std::vector<Member>& members) {
    MakeArchive(assetArchive(), members);
}

TEncEditorMain& EditorTest::open() {
    frame = std::make_unique<TKrelEditMainForm>();
    frame->show();
    frame->OpenEncyclopediaEditor1Click();
    editor = qobject_cast<TEncEditorMain*>(frame->editorWindow());
    if (!editor)
        throw std::runtime_error("the editor window did not open");
    // Checks the list's model after every change from here on; goes with the model.
    new QAbstractItemModelTester(&listRows(), QAbstractItemModelTester::FailureReportingMode::Fatal,
                                 &listRows());
    return *editor;
}

TEncEditorMain& EditorTest::openSmall() {
    writeStringArchive(SmallEncyclopedia());
    writePictures({{"Planets\\Ardent.png", PngBytes(130, 82, 0x3060A0)},
                   {"Ships\\Ship.png", PngBytes(120, 60, 0xA06030)}});
    dialogs.answer(MsgButton::Ok);
    return open();
}

QPushButton* EditorTest::button(const char* name) const {
    return control<QPushButton>(name);
}

std::string EditorTest::shownTitle() const {
    return FromQt(control<QLabel>("EntryTitle")->text());
}

std::vector<std::string> EditorTest::log() const {
    return frame->DebugList->lines();
}

std::vector<std::string> EditorTest::logSince(size_t line) const {
    const auto& lines = frame->DebugList->lines();
    return {lines.begin() + static_cast<std::ptrdiff_t>(std::min(line, lines.size())), lines.end()};
}

std::string EditorTest::status() const {
    return FromQt(control<QLabel>("StatusPanel1")->text());
}

std::vector<std::string> EditorTest::rows() const {
    std::vector<std::string> texts;
    for (int row = 0; row < listRows().rowCount(); ++row)
        texts.push_back(FromQt(listRows().index(row).data().toString()));
    return texts;
}

int EditorTest::rowOf(const std::string& text) const {
    std::vector<std::string> texts = rows();
    auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

const T_EncEntry* EditorTest::entry(const std::string& tag) const {
    return editor->EntryList().GetEntryByTag(tag);
}

void EditorTest::clickRow(int row, Qt::MouseButton button) {
    auto* list = control<QListView>("EntryListBox");
    list->scrollTo(listRows().index(row));
    QRect rect = list->visualRect(listRows().index(row));
    QTest::mouseClick(list->viewport(), button, {}, rect.center());
}

::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& wanted) {
    auto at = lines.begin();
    for (const std::string& line : wanted) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end())
            return ::testing::AssertionFailure() << "missing, or out of order: \"" << line << '"';
        ++at;
    }
    return ::testing::AssertionSuccess();
}

} // namespace krel::test
