#include "DialogTesting.h"

#include "dialogs/ListAdd.h"
#include "dialogs/RecordList.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace krel::test {

T_EncEntry Header(std::string tag, std::string content) {
    return {ekHeader, {}, {}, {}, {}, std::move(content), std::move(tag)};
}

T_EncEntry Entry(std::string tag, std::string title, std::string related, std::string content) {
    return {ekEntry,       std::move(title), {}, {}, std::move(related), std::move(content),
            std::move(tag)};
}

T_EncEntry Letter(char letter) {
    return {ekLetter, std::string(1, letter), {}, {}, {}, {}, {}};
}

std::unique_ptr<Encyclopedia> MakeEncyclopedia(const std::vector<T_EncEntry>& records) {
    auto encyclopedia = std::make_unique<Encyclopedia>();
    encyclopedia->Replace(records);
    return encyclopedia;
}

void AnswerPicker(int row, PickerSeen* seen) {
    WhenModalShown([row, seen](QWidget* dialog) {
        auto* picker = qobject_cast<TListAdd*>(dialog);
        ASSERT_NE(picker, nullptr) << "the modal dialog is not the list picker";
        if (seen) {
            for (int i = 0; i < picker->SSListBox1->count(); ++i)
                seen->rows.push_back(picker->SSListBox1->item(i)->text().toStdString());
            seen->current = picker->SSListBox1->currentRow();
            seen->geometry = picker->geometry();
        }
        if (row < 0) {
            QTest::keyClick(picker, Qt::Key_Escape);
            return;
        }
        QListWidgetItem* item = picker->SSListBox1->item(row);
        ASSERT_NE(item, nullptr) << "no row " << row;
        picker->SSListBox1->scrollToItem(item);
        QRect place = picker->SSListBox1->visualItemRect(item);
        QTest::mouseClick(picker->SSListBox1->viewport(), Qt::LeftButton, {}, place.center());
    });
}

std::filesystem::path PictureArchive(const std::filesystem::path& game) {
    return game / "GameDataSets" / "Classic_01" / "GameAssets" / "Common" / "graphics.mob";
}

} // namespace krel::test
