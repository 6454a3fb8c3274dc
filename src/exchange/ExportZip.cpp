#include "common/AtomicFile.h"
#include "common/PathText.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/Writer.h"
#include "exchange/Export.h"
#include "exchange/FileWork.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace krel {
namespace fs = std::filesystem;
namespace {

// The archive being built; removed when the export ends without moving it into place.
class PendingArchive {
public:
    explicit PendingArchive(fs::path path) : path_(std::move(path)) { removeQuietly(); }
    ~PendingArchive() {
        if (!kept_)
            removeQuietly();
    }
    PendingArchive(const PendingArchive&) = delete;
    PendingArchive& operator=(const PendingArchive&) = delete;

    const fs::path& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    void removeQuietly() const {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }

    fs::path path_;
    bool kept_ = false;
};

std::string memberName(std::string_view fileName) {
    return std::string(kExportMemberFolder) + std::string(fileName);
}

std::vector<ZipRenameRec> renamesFor(const std::vector<ZipDirEntry>& members) {
    std::vector<ZipRenameRec> renames;
    for (const ZipDirEntry& member : members)
        renames.push_back({member.FileName, memberName(member.FileName), 0});
    return renames;
}

uint32_t listedSize(const fs::path& file) {
    uintmax_t size = fs::file_size(file);
    return static_cast<uint32_t>(std::min<uintmax_t>(size, std::numeric_limits<uint32_t>::max()));
}

bool holds(const std::vector<ZipDirEntry>& members, std::string_view fileName,
           const fs::path& source) {
    std::string wanted = memberName(fileName);
    uint32_t size = listedSize(source);
    return std::any_of(members.begin(), members.end(), [&](const ZipDirEntry& member) {
        return member.FileName == wanted && member.UncompressedSize == size;
    });
}

// What the component says it wrote must be exactly the two work copies under their new names.
bool holdsBothMembers(const TZipMaster& zip, const FilePair& work) {
    const std::vector<ZipDirEntry>& members = zip.ZipContents();
    return members.size() == 2 && holds(members, kContentsFileName, work.Contents) &&
           holds(members, kTitlesFileName, work.Titles);
}

bool buildArchive(TZipMaster& zip, const fs::path& archive, const FilePair& work) {
    zip.SetZipFileName(archive);
    zip.FSpecArgs().clear();
    zip.FSpecArgs().push_back(work.Contents);
    zip.FSpecArgs().push_back(work.Titles);
    if (!zip.Add())
        return false;
    return zip.Rename(renamesFor(zip.ZipContents()), 0) && holdsBothMembers(zip, work);
}

void moveIntoPlace(PendingArchive& pending, const fs::path& target, const DisposeFn& disposeOld) {
    std::error_code error;
    if (disposeOld && fs::exists(target, error))
        disposeOld(target);
    try {
        MoveFileIntoPlace(pending.Path(), target);
    } catch (const std::exception& e) {
        // The new archive is complete; keep it for the user rather than lose the export.
        pending.Keep();
        throw std::runtime_error(std::string(e.what()) + "; the new archive is kept as " +
                                 PathText(pending.Path()));
    }
}

} // namespace

bool PackEncyclopedia(const Encyclopedia& encyclopedia, const fs::path& workFolder,
                      const fs::path& target, TZipMaster& zip, const DisposeFn& disposeOld) {
    SaveCurrentEncyclopedia(encyclopedia, workFolder);
    fs::path partial = target;
    partial += ".partial~";
    PendingArchive pending(partial);
    if (!buildArchive(zip, pending.Path(), WorkCopiesIn(workFolder))) {
        zip.SetZipFileName({});
        return false;
    }
    moveIntoPlace(pending, target, disposeOld);
    pending.Keep();
    zip.SetZipFileName(target);
    return true;
}

ExportResult ExportZipArchive(const Encyclopedia& encyclopedia, const fs::path& workFolder,
                              const fs::path& exportFolder, TZipMaster& zip,
                              const DisposeFn& disposeOld) {
    fs::path target = exportFolder / kExportArchiveName;
    if (!PackEncyclopedia(encyclopedia, workFolder, target, zip, disposeOld))
        return {false, target, {}};
    return {true, target,
            "Encyclopedia ZIP file created in the directory: " +
                exchange::FolderText(exportFolder)};
}

} // namespace krel
