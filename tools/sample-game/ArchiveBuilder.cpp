#include "ArchiveBuilder.h"

#include <stdexcept>

namespace krel::sample {

ArchiveBuilder::ArchiveBuilder(const std::filesystem::path& path) : path_(path) {
    int error = 0;
    archive_ = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive_)
        throw std::runtime_error("Cannot create " + path.string());
}

ArchiveBuilder::~ArchiveBuilder() {
    if (archive_)
        zip_discard(archive_);
}

void ArchiveBuilder::check(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error("Cannot " + what + " in " + path_.string() + ": " +
                                 zip_strerror(archive_));
}

void ArchiveBuilder::AddFolder(const std::string& name) {
    check(zip_dir_add(archive_, name.c_str(), ZIP_FL_ENC_CP437) >= 0, "add folder " + name);
}

void ArchiveBuilder::AddFile(const std::string& name, std::string bytes, bool deflate) {
    const std::string& kept = contents_.emplace_back(std::move(bytes));
    zip_source_t* source = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
    check(source != nullptr, "buffer " + name);
    zip_int64_t index = zip_file_add(archive_, name.c_str(), source, ZIP_FL_ENC_CP437);
    if (index < 0)
        zip_source_free(source);
    check(index >= 0, "add " + name);
    auto at = static_cast<zip_uint64_t>(index);
    check(zip_set_file_compression(archive_, at, deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                   deflate ? 9 : 0) == 0,
          "set the compression of " + name);
}

void ArchiveBuilder::Close() {
    check(zip_close(archive_) == 0, "write the archive");
    archive_ = nullptr;
}

} // namespace krel::sample
