// The editor on the generated sample game: it loads, and every entry shows with its picture.

#include "EditorFixture.h"
#include "editor/EditorWidgets.h"
#include "editor/EntryListModel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace krel::test {
namespace {
namespace fs = std::filesystem;

class SampleGameTest : public EditorTest {
protected:
    void SetUp() override {
        fs::copy(KREL_SAMPLE_GAME, game,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
};

TEST_F(SampleGameTest, EveryEntryShowsWithItsPicture) {
    dialogs.answer(MsgButton::Ok);
    open();
    ASSERT_EQ(status(), "Status: Browsing Encyclopedia");
    ASSERT_NE(shown(), nullptr) << "the sample has a default page";
    QTest::mouseClick(button("SubjectIndex"), Qt::LeftButton);

    int pictures = 0;
    for (int row = 0; row < listRows().rowCount(); ++row) {
        const T_EncEntry* record = listRows().Record(row);
        if (record->Kind != ekEntry)
            continue;
        const size_t from = log().size();
        clickRow(row);
        std::vector<std::string> lines = logSince(from);
        EXPECT_EQ(shownTitle(), record->Title);
        if (record->Image.empty())
            continue;
        ++pictures;
        EXPECT_NE(std::find(lines.begin(), lines.end(), "-> Image Extracted"), lines.end())
            << record->Title << " (" << record->Image << ")";
        EXPECT_FALSE(control<TDisplayPicture>("EntryImage")->picture().isNull());
    }
    EXPECT_GT(pictures, 10);
}

} // namespace
} // namespace krel::test
