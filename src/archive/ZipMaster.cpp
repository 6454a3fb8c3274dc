#include "archive/ZipMaster.h"

#include "archive/ZipBatch.h"
#include "archive/ZipHandle.h"
#include "archive/ZipReader.h"
#include "archive/ZipWriter.h"
#include "common/DebugOutput.h"

#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

bool isMissing(const fs::path& archive) {
    std::error_code error;
    return fs::status(archive, error).type() == fs::file_type::not_found;
}

void requireName(const fs::path& archive) {
    if (archive.empty())
        throw ZipFailure("Error: no zip file name given");
}

} // namespace

void TZipMaster::SetDLLDirectory(const std::string& folder) {
    dllDirectory_ = folder;
    while (!dllDirectory_.empty() && (dllDirectory_.back() == '\\' || dllDirectory_.back() == '/'))
        dllDirectory_.pop_back();
}

void TZipMaster::SetZipFileName(const fs::path& archive) {
    zipFileName_ = archive;
    contents_.clear();
    if (archive.empty() || isMissing(archive))
        return;
    try {
        contents_ = ListMembers(OpenArchive(archive, ZIP_RDONLY).get());
    } catch (const ZipFailure& failure) {
        zipFileName_.clear();
        contents_.clear();
        report(failure.what());
    }
}

TZipStream* TZipMaster::ExtractFileToStream(const std::string& name) {
    bool extracted = runBatch([&](ZipBatch& batch) {
        requireName(zipFileName_);
        ZipHandle archive = OpenArchive(zipFileName_, ZIP_RDONLY);
        MemberInfo member = LocateMember(archive.get(), name);
        batch.Announce(TotalFiles2Process, "", 1);
        batch.Announce(TotalSize2Process, "", static_cast<int64_t>(member.Size));
        batch.Announce(NewFile, member.ListedName, static_cast<int64_t>(member.Size));
        std::string bytes = ReadMember(archive.get(), member, [&](size_t done) {
            batch.Announce(ProgressUpdate, "", static_cast<int64_t>(done));
        });
        stream_.Assign(std::move(bytes));
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
    progress(EndOfBatch, "", 0);
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
