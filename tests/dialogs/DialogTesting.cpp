#include "DialogTesting.h"

#include "dialogs/ListAdd.h"
#include "dialogs/RecordList.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace krel::test {

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
