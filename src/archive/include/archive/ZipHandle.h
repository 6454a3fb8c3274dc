#pragma once
// Owning handles for libzip objects and the component's failure type. Inner routines throw
// ZipFailure with the text the component shows; the component turns it into a report.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <zip.h>

namespace krel {

class ZipFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFileHandle = std::unique_ptr<zip_file_t, ZipFileClose>;

// Opens an archive with libzip's flags (ZIP_RDONLY, ZIP_CREATE); throws ZipFailure with
// "Error: input file is not a zip file" for a file that is no archive at all.
ZipHandle OpenArchive(const std::filesystem::path& archive, int flags);

// libzip's description of the archive's last error.
std::string LastErrorText(zip_t* archive);

} // namespace krel
