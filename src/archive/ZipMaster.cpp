#include "archive/ZipMaster.h"

#include "archive/ZipArchive.h"
#include "archive/ZipBatch.h"
#include "archive/ZipHandle.h"
#include "archive/ZipWriter.h"
#include "common/DebugOutput.h"

#include <algorithm>
#include <limits>
#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

bool isMissing(const fs::path& archive) {
    std::error_code error;
    return fs::status(archive, error).type() == fs::file_type::not_found;
}

uint32_t saturated(uint64_t size) {
    return static_cast<uint32_t>(std::min<uint64_t>(size, std::numeric_limits<uint32_t>::max()));
}

std::vector<ZipDirEntry> listingOf(const ZipArchive& archive) {
    std::vector<ZipDirEntry> listing;
    listing.reserve(archive.Members().size());
    for (const MemberInfo& member : archive.Members())
        listing.push_back({member.ListedName, saturated(member.Size)});
    return listing;
}

void requireName(const fs::path& archive) {
    if (archive.empty())
        throw ZipFailure("Error: no zip file name given");
}

} // namespace

void TZipMaster::SetZipFileName(const fs::path& archive) {
    zipFileName_ = archive;
    contents_.clear();
    if (archive.empty() || isMissing(archive))
        return;
    try {
        contents_ = listingOf(ZipArchive(archive));
    } catch (const ZipFailure& failure) {
        zipFileName_.clear();
        contents_.clear();
        report(failure.what());
    }
}

TZipStream* TZipMaster::ExtractFileToStream(const std::string& name) {
    bool extracted = runBatch([&](ZipBatch& batch) {
        requireName(zipFileName_);
        ZipArchive archive(zipFileName_);
        const MemberInfo& member = archive.Locate(name);
        auto size = static_cast<int64_t>(member.Size);
        batch.Announce(ProgressType::TotalFiles2Process, "", 1);
        batch.Announce(ProgressType::TotalSize2Process, "", size);
        batch.Announce(ProgressType::NewFile, member.ListedName, size);
        stream_.Assign(archive.Read(member, [&](size_t done) {
            batch.Announce(ProgressType::ProgressUpdate, "", static_cast<int64_t>(done));
        }));
    });
    return extracted ? &stream_ : nullptr;
}

bool TZipMaster::Add() {
    std::vector<fs::path> files = std::move(fSpecArgs_);
    fSpecArgs_.clear();
    bool written = runBatch([&](ZipBatch& batch) {
        requireName(zipFileName_);
        AddFiles(zipFileName_, files, batch);
    });
    rereadDirectory();
    return written;
}

bool TZipMaster::Rename(const std::vector<ZipRenameRec>& renames, uint32_t dateTime) {
    bool written = runBatch([&](ZipBatch& batch) {
        requireName(zipFileName_);
        RenameMembers(zipFileName_, renames, dateTime, batch);
    });
    rereadDirectory();
    return written;
}

// Runs one batch and ends it with EndOfBatch. The component's own failures are reported after
// that, so a progress window closes before the report shows.
template <class Work> bool TZipMaster::runBatch(Work&& work) {
    ZipBatch batch([this](ProgressType type, const std::string& name, int64_t size) {
        progress(type, name, size);
    });
    std::string failure;
    try {
        work(batch);
    } catch (const ZipFailure& caught) {
        failure = caught.what();
    }
    progress(ProgressType::EndOfBatch, "", 0);
    if (!failure.empty())
        report(failure);
    return failure.empty();
}

void TZipMaster::rereadDirectory() {
    SetZipFileName(fs::path(zipFileName_));
}

void TZipMaster::report(const std::string& text) const {
    if (OnMessage)
        OnMessage(text);
    else
        DebugOutput("%s", text.c_str());
}

void TZipMaster::progress(ProgressType type, const std::string& name, int64_t size) {
    if (OnProgress)
        OnProgress(*this, type, name, size);
}

} // namespace krel
