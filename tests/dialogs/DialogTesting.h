#pragma once
// Shared pieces of the dialog tests: answering the list picker by clicking one of its rows,
// and where a game keeps its picture archive.

#include "support/Records.h"
#include "support/TestZip.h"

#include <QRect>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace krel::test {

// What the picker looked like when it appeared, and where it was put.
struct PickerSeen {
    std::vector<std::string> rows;
    int current = -1;
    QRect geometry;
};
// Once a list picker is up, records it and clicks row (-1: presses Escape instead).
void AnswerPicker(int row, PickerSeen* seen = nullptr);

// The game's picture archive below a game folder.
std::filesystem::path PictureArchive(const std::filesystem::path& game);

} // namespace krel::test
