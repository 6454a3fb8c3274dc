#include "archive/InstallZipFiles.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace krel {
namespace {

bool endsWithSeparator(const std::string& folder) {
    return !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
}

bool isFolder(std::string folder) {
    while (endsWithSeparator(folder) && folder.size() > 1)
        folder.pop_back();
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

} // namespace

std::string InstallZipFiles(const std::string& workFolder) {
    return guarded<EZipInstallError>("InstallZipFiles()", [&] {
        if (!isFolder(workFolder))
            throw std::runtime_error("Work folder not found (" + workFolder + ")");
        std::string zipFolder = workFolder;
        if (!endsWithSeparator(zipFolder))
            zipFolder.push_back(std::filesystem::path::preferred_separator);
        return zipFolder;
    });
}

} // namespace krel
