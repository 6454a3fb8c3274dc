#include "DialogTesting.h"

#include "archive/PngImage.h"
#include "dialogs/ListAdd.h"
#include "dialogs/RecordList.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <zip.h>

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

std::string PngBytes(int width, int height, QRgb colour) {
    PngImage image;
    image.Width = static_cast<uint32_t>(width);
    image.Height = static_cast<uint32_t>(height);
    image.Rgba.resize(size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < image.Rgba.size(); i += 4) {
        image.Rgba[i] = static_cast<uint8_t>(qRed(colour));
        image.Rgba[i + 1] = static_cast<uint8_t>(qGreen(colour));
        image.Rgba[i + 2] = static_cast<uint8_t>(qBlue(colour));
        image.Rgba[i + 3] = 0xFF;
    }
    return EncodePng(image);
}

void WriteZip(const std::filesystem::path& archive,
              const std::vector<std::pair<std::string, std::string>>& members) {
    std::filesystem::create_directories(archive.parent_path());
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_RAW), 0) << name;
    }
    ASSERT_EQ(zip_close(zip), 0);
}

std::filesystem::path PictureArchive(const std::filesystem::path& game) {
    return game / "GameDataSets" / "Classic_01" / "GameAssets" / "Common" / "graphics.mob";
}

} // namespace krel::test
