#include "cli/Save.h"

#include "encyclopedia/Writer.h"

namespace krel::cli {
namespace fs = std::filesystem;
namespace {

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

fs::file_status statusOf(const fs::path& path) {
    std::error_code ignored;
    return fs::status(path, ignored);
}

// "out/" names the folder "out", whose parent is the current folder.
fs::path folderName(const fs::path& folder) {
    return folder.has_filename() ? folder : folder.parent_path();
}

// Returns whether the folder had to be created.
bool prepareFolder(const fs::path& folder) {
    if (folder.empty())
        throw ESaveError("no output folder given");
    fs::file_status status = statusOf(folder);
    if (fs::is_directory(status))
        return false;
    if (fs::exists(status))
        throw ESaveError(quoted(folder) + ": not a folder");
    fs::path parent = folder.has_parent_path() ? folder.parent_path() : fs::path(".");
    if (!fs::is_directory(statusOf(parent)))
        throw ESaveError(quoted(folder) + ": its parent folder does not exist");
    fs::create_directory(folder);
    return true;
}

// Removes a folder this save created unless the save completes.
class CreatedFolder {
public:
    CreatedFolder(fs::path folder, bool created) : folder_(std::move(folder)), created_(created) {}
    CreatedFolder(const CreatedFolder&) = delete;
    CreatedFolder& operator=(const CreatedFolder&) = delete;
    ~CreatedFolder() {
        std::error_code ignored;
        if (created_ && !kept_)
            fs::remove(folder_, ignored);
    }
    void Keep() { kept_ = true; }

private:
    fs::path folder_;
    bool created_;
    bool kept_ = false;
};

} // namespace

void SaveInto(const Encyclopedia& book, const fs::path& folder) {
    fs::path target = folderName(folder);
    CreatedFolder created(target, prepareFolder(target));
    guarded<ESaveError>(quoted(target), [&] { SaveCurrentEncyclopedia(book, target); });
    created.Keep();
}

} // namespace krel::cli
