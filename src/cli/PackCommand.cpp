// krel-encyclopedia pack: the archive the editor's ZIP export writes, built by the same code.

#include "archive/ZipMaster.h"
#include "cli/Commands.h"
#include "cli/Load.h"
#include "common/TextCodec.h"
#include "common/UnitError.h"
#include "exchange/Export.h"

#include <random>
#include <system_error>

namespace krel::cli {
namespace fs = std::filesystem;
namespace {

KREL_UNIT_ERROR(EPackError);

// The work folder the export saves into before packing, removed when the command ends.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            fs::path candidate =
                fs::temp_directory_path() / ("krel-pack-" + std::to_string(random()));
            if (fs::create_directory(candidate))
                path_ = candidate;
        }
        if (path_.empty())
            throw EPackError("cannot make a work folder in " + fs::temp_directory_path().string());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

} // namespace

// Opening an encyclopedia shows its table of contents, which puts the list in that order; an
// export right after opening writes it so.
int RunPack(const Arguments& args, std::ostream&) {
    SourceFiles files = ReadSource(args.Operands[0]);
    Encyclopedia book;
    LoadSource(book, files);
    guarded<ELoadError>("'" + files.Names.Titles + "'", [&] { book.ReorderEncyclopedia(); });
    const fs::path target = args.Operands[1];
    ScratchFolder work;
    TZipMaster zip;
    std::string report;
    zip.OnMessage = [&](const std::string& text) {
        report = text;
    };
    guarded<EPackError>("'" + target.string() + "'", [&] {
        if (!PackEncyclopedia(book, work.Path(), target, zip, {}))
            throw EPackError(Cp1252ToUtf8(report));
    });
    return 0;
}

} // namespace krel::cli
