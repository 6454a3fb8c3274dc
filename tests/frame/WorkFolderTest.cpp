#include "settings/WorkFolder.h"

#include "common/AtomicFile.h"
#include "settings/Paths.h"
#include "support/FakeGame.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using krel::CleanOutcome;
using krel::EmptyWorkFolder;

class WorkFolder : public ::testing::Test {
protected:
    krel::test::TestEnvironment env;

    fs::path file(const fs::path& path, const std::string& content = "x") {
        return krel::test::WriteTestFile(path, content);
    }
    fs::path markedFolder(const fs::path& folder) {
        krel::PrepareWorkFolder(folder.string());
        return folder;
    }
    std::vector<std::string> names(const fs::path& folder) {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(WorkFolder, AMarkedFolderIsEmptiedButLinksOutOfItAreNeverFollowed) {
    fs::path work = markedFolder(env.root() / "work");
    fs::path canary = file(env.root() / "outside/canary.txt", "keep me");
    file(work / "wsEncyclopedia.txt");
    file(work / ".hidden");
    file(work / "deep/er/still/file.png");
    fs::create_symlink(canary, work / "link-to-file");
    fs::create_symlink(canary.parent_path(), work / "link-to-folder");
    fs::create_symlink(canary.parent_path(), work / "deep/link-inside");

    EXPECT_EQ(EmptyWorkFolder(work.string() + "/", {}).outcome, CleanOutcome::Emptied);
    EXPECT_EQ(names(work), std::vector<std::string>{std::string(krel::kWorkFolderMarker)});
    EXPECT_EQ(krel::ReadWholeFile(canary), "keep me");
    EXPECT_EQ(names(canary.parent_path()), std::vector<std::string>{"canary.txt"});
}

TEST_F(WorkFolder, AnUnmarkedFolderLosesOnlyTheEditorsOwnFiles) {
    fs::path documents = env.home() / "Documents";
    for (const std::string& name : krel::WorkFileNames())
        file(documents / name);
    file(documents / "letter.odt");
    file(documents / "wsEncyclopedia.txt.bak");
    file(documents / "sub/wsEncyclopedia.txt");

    EXPECT_EQ(EmptyWorkFolder(documents.string(), {}).outcome, CleanOutcome::WorkFilesRemoved);
    EXPECT_EQ(names(documents),
              (std::vector<std::string>{"letter.odt", "sub", "wsEncyclopedia.txt.bak"}));
    EXPECT_TRUE(fs::exists(documents / "sub/wsEncyclopedia.txt"));
}

TEST_F(WorkFolder, FoldersThatHoldOtherFilesAreNeverTouchedEvenWhenMarked) {
    fs::path game = krel::test::MakeFakeGame(env.root() / "games/vast");
    fs::path program = env.programFolder();
    fs::create_symlink(env.home(), env.root() / "home-link");
    for (const fs::path& folder : {env.home(), env.root(), game, game.parent_path(), program}) {
        file(folder / std::string(krel::kWorkFolderMarker));
        file(folder / "wsEncyclopedia.txt");
    }
    struct Case {
        std::string folder;
        const char* what;
    };
    for (const Case& c : std::vector<Case>{
             {"/", "the root"},
             {env.home().string(), "the home folder"},
             {(env.root() / "home-link").string(), "a link to the home folder"},
             {env.root().string(), "an ancestor of the home folder"},
             {game.string() + "/", "the game folder"},
             {game.parent_path().string(), "an ancestor of the game folder"},
             {program.string(), "the program's folder"},
             {(env.root() / "missing").string(), "a missing folder"},
         }) {
        krel::CleanResult result = EmptyWorkFolder(c.folder, {program.string(), game.string()});
        EXPECT_EQ(result.outcome, CleanOutcome::Refused) << c.what;
        EXPECT_FALSE(result.reason.empty()) << c.what;
    }
    for (const fs::path& folder : {env.home(), env.root(), game, game.parent_path(), program})
        EXPECT_TRUE(fs::exists(folder / "wsEncyclopedia.txt")) << folder;
    EXPECT_TRUE(fs::exists(game / "krel.exe"));
}

TEST_F(WorkFolder, AnEmptyOrRelativeSettingNeverMeansTheCurrentFolder) {
    fs::path here = markedFolder(env.root() / "cwd");
    file(here / "wsEncyclopedia.txt");
    file(here / "rel/wsEncyclopedia.txt");
    fs::path previous = fs::current_path();
    fs::current_path(here);
    for (const char* text : {"", ".", "rel", "./"})
        EXPECT_EQ(EmptyWorkFolder(text, {}).outcome, CleanOutcome::Refused) << "'" << text << "'";
    krel::PrepareWorkFolder("new-relative");
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(here / "wsEncyclopedia.txt"));
    EXPECT_TRUE(fs::exists(here / "rel/wsEncyclopedia.txt"));
    EXPECT_FALSE(fs::exists(here / "new-relative"));
}

TEST_F(WorkFolder, AnEntryThatCannotBeDeletedStaysAndTheRestIsEmptied) {
    fs::path work = markedFolder(env.root() / "work");
    fs::path stuck = file(work / "in-use.txt");
    file(work / "a.txt");
    file(work / "sub/b.txt");
    auto failOnStuck = [&](const fs::path& path) {
        return path != stuck && fs::remove(path);
    };
    EXPECT_EQ(EmptyWorkFolder(work.string(), {}, failOnStuck).outcome, CleanOutcome::Emptied);
    EXPECT_EQ(names(work),
              (std::vector<std::string>{std::string(krel::kWorkFolderMarker), "in-use.txt"}));
}

TEST_F(WorkFolder, PreparingCreatesMissingLevelsAndAdoptsOnlyEmptyFolders) {
    fs::path deep = env.root() / "a/b/c/work";
    krel::PrepareWorkFolder(deep.string());
    EXPECT_TRUE(fs::exists(deep / std::string(krel::kWorkFolderMarker)));
    EXPECT_FALSE(fs::exists(env.root() / "a/b" / std::string(krel::kWorkFolderMarker)));

    fs::path empty = env.root() / "empty";
    fs::create_directories(empty);
    krel::PrepareWorkFolder(empty.string());
    EXPECT_TRUE(fs::exists(empty / std::string(krel::kWorkFolderMarker)));

    fs::path busy = env.root() / "busy";
    file(busy / "mine.txt");
    krel::PrepareWorkFolder(busy.string());
    EXPECT_FALSE(fs::exists(busy / std::string(krel::kWorkFolderMarker)));

    file(env.root() / "plain");
    EXPECT_THROW(krel::PrepareWorkFolder((env.root() / "plain/below").string()),
                 std::runtime_error);
}

} // namespace
