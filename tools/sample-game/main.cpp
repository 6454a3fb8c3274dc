// krel-sample-game SAMPLE-FOLDER GAME-FOLDER FITTING-LIST
// Writes the invented sample game the editor runs against, from the sample encyclopedia.

#include "GameFolder.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: krel-sample-game SAMPLE-FOLDER GAME-FOLDER FITTING-LIST\n";
        return 2;
    }
    try {
        auto pictures = krel::sample::PlanPictures(krel::sample::PictureNamesOf(argv[1]));
        krel::sample::WriteGameFolder(argv[1], argv[2], pictures);
        krel::sample::WriteFittingList(argv[3], pictures);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "krel-sample-game: " << error.what() << '\n';
        return 1;
    }
}
