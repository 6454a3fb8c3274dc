#pragma once
// Shared pieces of the dialog tests: record builders, an encyclopedia from a list, answering
// the list picker by clicking one of its rows, and a game folder with a picture archive.

#include "encyclopedia/Encyclopedia.h"

#include <QImage>
#include <QRect>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace krel::test {

T_EncEntry Header(std::string tag, std::string content);
T_EncEntry Entry(std::string tag, std::string title, std::string related = {},
                 std::string content = {});
T_EncEntry Letter(char letter);

std::unique_ptr<Encyclopedia> MakeEncyclopedia(const std::vector<T_EncEntry>& records);

// What the picker looked like when it appeared, and where it was put.
struct PickerSeen {
    std::vector<std::string> rows;
    int current = -1;
    QRect geometry;
};
// Once a list picker is up, records it and clicks row (-1: presses Escape instead).
void AnswerPicker(int row, PickerSeen* seen = nullptr);

// A picture of the given size filled with one colour, as PNG bytes.
std::string PngBytes(int width, int height, QRgb colour);

// Writes a ZIP archive with the members given as (stored name with "/", bytes).
void WriteZip(const std::filesystem::path& archive,
              const std::vector<std::pair<std::string, std::string>>& members);

// The game's picture archive below a game folder.
std::filesystem::path PictureArchive(const std::filesystem::path& game);

} // namespace krel::test
