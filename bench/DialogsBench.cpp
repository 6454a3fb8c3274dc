// krel-dialogs-bench: times the graphic browser on a made-up picture archive: opening it (the
// archive's directory read, sorted by name, filtered by view.txt and shown) and each sort.
//   krel-dialogs-bench [--members N] [--runs N]

#include "BenchSupport.h"
#include "archive/PngImage.h"
#include "common/AtomicFile.h"
#include "dialogs/GraphicForm.h"
#include "dialogs/ZipListModel.h"
#include "settings/Paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>
#include <zip.h>

namespace krel::bench {
namespace {
namespace fs = std::filesystem;

struct Options {
    int Members = 2000;
    int Runs = 5;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    ReadOptions(argc, argv, [&](const std::string& name, const std::string& text) {
        int value = std::max(1, std::stoi(text));
        if (name == "--members")
            options.Members = value;
        else if (name == "--runs")
            options.Runs = value;
        else
            return false;
        return true;
    });
    return options;
}

std::string smallPng(std::mt19937& random) {
    PngImage image;
    image.Width = 16;
    image.Height = 10;
    image.Rgba.resize(size_t{image.Width} * image.Height * 4);
    for (uint8_t& byte : image.Rgba)
        byte = static_cast<uint8_t>(random());
    return EncodePng(image);
}

// Members spread over a few folders with shuffled names; every other one is listed in view.txt
// (in other letter case), as the game's fitting list names only some of its pictures.
void writeArchive(const fs::path& archive, const fs::path& viewTxt, int members) {
    fs::create_directories(archive.parent_path());
    std::mt19937 random(7);
    std::vector<std::string> pictures;
    for (int i = 0; i < 24; ++i)
        pictures.push_back(smallPng(random));
    std::vector<int> order(static_cast<size_t>(members));
    for (int i = 0; i < members; ++i)
        order[static_cast<size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), random);

    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        throw std::runtime_error("cannot create " + archive.string());
    std::string fitting;
    for (int n : order) {
        std::string folder = "Pictures/Set" + std::to_string(n % 9);
        std::string name =
            folder + "/Picture" + std::to_string(n) + ".v" + std::to_string(n % 3) + ".png";
        const std::string& bytes = pictures[static_cast<size_t>(n) % pictures.size()];
        zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_RAW);
        if (n % 2 == 0) {
            std::replace(name.begin(), name.end(), '/', '\\');
            std::transform(name.begin(), name.end(), name.begin(), ::toupper);
            fitting += name + "\r\n";
        }
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error("cannot write " + archive.string());
    WriteFileAtomic(viewTxt, fitting);
}

double best(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void clickHeader(TGraphicForm& form, int section) {
    emit form.ZipListBox->header()->sectionClicked(section);
}

void run(const Options& options) {
    fs::path root = fs::temp_directory_path() / ("krel-dialogs-bench-" + std::to_string(getpid()));
    fs::path game = root / "game";
    fs::create_directories(root / "program");
    SetProgramFolderForTests((root / "program").string());
    writeArchive(game / "GameDataSets/Classic_01/GameAssets/Common/graphics.mob",
                 root / "program/view.txt", options.Members);

    std::vector<double> open, bySize, byDir, byName;
    int listed = 0;
    for (int run = 0; run < options.Runs; ++run) {
        std::unique_ptr<TGraphicForm> form;
        open.push_back(MillisecondsOf([&] {
            form = std::make_unique<TGraphicForm>(game.string(), (root / "work").string());
            form->show();
            QApplication::processEvents();
        }));
        form->CheckBox2->setChecked(false);
        listed = form->listModel()->rowCount();
        bySize.push_back(MillisecondsOf([&] {
            clickHeader(*form, TZipListModel::SizeColumn);
            QApplication::processEvents();
        }));
        byDir.push_back(MillisecondsOf([&] {
            clickHeader(*form, TZipListModel::DirColumn);
            QApplication::processEvents();
        }));
        byName.push_back(MillisecondsOf([&] {
            clickHeader(*form, TZipListModel::NameColumn);
            QApplication::processEvents();
        }));
    }
    std::printf("graphic browser, %d members (%d listed unfiltered), best of %d runs:\n",
                options.Members, listed, options.Runs);
    std::printf("  open, sort by name, filter by view.txt, show  %8.2f ms (first run %.2f ms)\n",
                best(open), open.front());
    std::printf("  sort by size (all members)                    %8.2f ms\n", best(bySize));
    std::printf("  sort by folder (all members)                  %8.2f ms\n", best(byDir));
    std::printf("  sort by name (all members)                    %8.2f ms\n", best(byName));
    fs::remove_all(root);
}

} // namespace
} // namespace krel::bench

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        krel::bench::run(krel::bench::parseOptions(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "krel-dialogs-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
