#include "archive/ZipWriter.h"

#include "AddedFiles.h"
#include "archive/Deflate.h"
#include "archive/ZipDeflatedSource.h"
#include "archive/ZipHandle.h"
#include "archive/ZipNames.h"
#include "common/PathText.h"

#include <algorithm>
#include <optional>
#include <string>

namespace krel {
namespace fs = std::filesystem;
namespace {

struct RenamePlan {
    zip_uint64_t Index = 0;
    std::string NewName; // listed form
    uint64_t Size = 0;
    uint32_t DateTime = 0;
};

// Progress of libzip's rewrite, turned into byte counts of the whole archive.
struct RewriteProgress {
    ZipBatch* Batch = nullptr;
    uint64_t Total = 0;
    uint64_t Reported = 0;
};

void reportRewrite(RewriteProgress& progress, uint64_t reached) {
    reached = std::min(reached, progress.Total);
    if (reached <= progress.Reported)
        return;
    progress.Batch->Notify(ProgressType::ProgressUpdate, "",
                           static_cast<int64_t>(reached - progress.Reported));
    progress.Reported = reached;
}

void onRewrite(zip_t*, double fraction, void* state) {
    auto& progress = *static_cast<RewriteProgress*>(state);
    reportRewrite(progress, static_cast<uint64_t>(fraction * static_cast<double>(progress.Total)));
}

int onCancelQuery(zip_t*, void* state) {
    return static_cast<RewriteProgress*>(state)->Batch->HandlerFailed() ? 1 : 0;
}

void commit(ZipHandle& archive, const fs::path& path, const ZipBatch& batch) {
    bool written = zip_close(archive.get()) == 0;
    if (written)
        archive.release();
    batch.RethrowHandlerFailure();
    if (!written)
        throw ZipFailure("Error: cannot write zip file " + PathText(path) + ": " +
                         LastErrorText(archive.get()));
}

zip_uint64_t addSource(zip_t* archive, const AddedFile& file, zip_source_t* source) {
    zip_int64_t index =
        zip_file_add(archive, file.MemberName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_CP437);
    if (index < 0) {
        zip_source_free(source);
        throw ZipFailure("Error: cannot add " + PathText(file.Path) + ": " +
                         LastErrorText(archive));
    }
    return static_cast<zip_uint64_t>(index);
}

// Members whose data is compressed already go in as they are.
void addStored(zip_t* archive, const AddedFile& file) {
    zip_source_t* source = zip_source_buffer(archive, file.Bytes.data(), file.Bytes.size(), 0);
    if (!source)
        throw ZipFailure("Error: cannot add " + PathText(file.Path) + ": " +
                         LastErrorText(archive));
    if (zip_set_file_compression(archive, addSource(archive, file, source), ZIP_CM_STORE, 0) != 0)
        throw ZipFailure("Error: cannot store " + file.MemberName + ": " + LastErrorText(archive));
}

void addDeflated(zip_t* archive, const AddedFile& file, const DeflatedMember& member) {
    addSource(archive, file, MakeDeflatedSource(archive, member));
}

// The deflated members of the files, in parallel, in the order of the files.
std::vector<DeflatedMember> deflateFiles(const std::vector<AddedFile>& files,
                                         const DeflateSettings& settings) {
    std::vector<std::string_view> inputs;
    for (const AddedFile& file : files)
        if (!HasStoreSuffix(file.MemberName))
            inputs.push_back(file.Bytes);
    std::vector<DeflatedData> deflated = DeflateAll(inputs, settings);
    std::vector<DeflatedMember> members;
    size_t next = 0;
    for (const AddedFile& file : files)
        if (!HasStoreSuffix(file.MemberName)) {
            DeflatedData& data = deflated[next++];
            members.push_back({std::move(data.Stream), data.Crc, file.Size, file.ModTime});
        }
    return members;
}

const ZipRenameRec* firstMatch(std::string_view listed, const std::vector<ZipRenameRec>& renames,
                               size_t& position) {
    for (const auto& rename : renames) {
        position = rename.Source.empty() ? std::string::npos
                                         : FindInNameIgnoringCase(listed, rename.Source);
        if (position != std::string::npos)
            return &rename;
    }
    return nullptr;
}

// The member's new name, or nothing when no record's Source occurs in its name. A file may not
// become a folder entry or lose its name, nor a folder become a file.
std::optional<RenamePlan> planFor(const zip_stat_t& stat, const std::vector<ZipRenameRec>& renames,
                                  uint32_t dateTime) {
    std::string listed = ListedName(stat.name);
    size_t position = 0;
    const ZipRenameRec* rename = firstMatch(listed, renames, position);
    if (!rename)
        return std::nullopt;
    bool folder = IsFolderName(listed);
    listed.replace(position, rename->Source.size(), rename->Dest);
    if (listed.empty() || IsFolderName(listed) != folder)
        throw ZipFailure("Error: cannot rename " + ListedName(stat.name) + " to \"" + listed +
                         "\"");
    uint32_t stamp = rename->DateTime != 0 ? rename->DateTime : dateTime;
    return RenamePlan{stat.index, listed, stat.size, stamp};
}

std::vector<RenamePlan> planRenames(zip_t* archive, const std::vector<ZipRenameRec>& renames,
                                    uint32_t dateTime, uint64_t& totalBytes) {
    std::vector<RenamePlan> plans;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_RAW, &stat) != 0)
            throw ZipFailure("Error: zip file directory is damaged: " + LastErrorText(archive));
        totalBytes += stat.comp_size;
        if (auto plan = planFor(stat, renames, dateTime))
            plans.push_back(std::move(*plan));
    }
    return plans;
}

void applyRename(zip_t* archive, const RenamePlan& plan) {
    std::string stored = StoredName(plan.NewName);
    if (zip_file_rename(archive, plan.Index, stored.c_str(), ZIP_FL_ENC_CP437) != 0)
        throw ZipFailure("Error: cannot rename a member to " + plan.NewName + ": " +
                         LastErrorText(archive));
    auto time = static_cast<zip_uint16_t>(plan.DateTime & 0xFFFF);
    auto date = static_cast<zip_uint16_t>(plan.DateTime >> 16);
    if (plan.DateTime != 0 && zip_file_set_dostime(archive, plan.Index, time, date, 0) != 0)
        throw ZipFailure("Error: cannot date " + plan.NewName + ": " + LastErrorText(archive));
}

} // namespace

void AddFiles(const fs::path& archive, const std::vector<fs::path>& files, ZipBatch& batch,
              const DeflateSettings& settings) {
    if (files.empty())
        throw ZipFailure("Error: no files to add");
    std::vector<AddedFile> added;
    uint64_t totalBytes = 0;
    for (const auto& path : files) {
        added.push_back(DescribeAddedFile(path));
        totalBytes += added.back().Size;
    }
    ZipHandle handle = OpenArchive(archive, ZIP_CREATE);
    batch.Announce(ProgressType::TotalFiles2Process, "", static_cast<int64_t>(added.size()));
    batch.Announce(ProgressType::TotalSize2Process, "", static_cast<int64_t>(totalBytes));
    for (AddedFile& file : added)
        ReadAddedFile(file, archive, batch);
    std::vector<DeflatedMember> deflated = deflateFiles(added, settings);
    auto nextDeflated = deflated.begin();
    for (const AddedFile& file : added) {
        if (HasStoreSuffix(file.MemberName))
            addStored(handle.get(), file);
        else
            addDeflated(handle.get(), file, *nextDeflated++);
    }
    commit(handle, archive, batch);
}

size_t RenameMembers(const fs::path& archive, const std::vector<ZipRenameRec>& renames,
                     uint32_t dateTime, ZipBatch& batch) {
    ZipHandle handle = OpenArchive(archive, 0);
    RewriteProgress progress{&batch, 0, 0};
    std::vector<RenamePlan> plans = planRenames(handle.get(), renames, dateTime, progress.Total);
    batch.Announce(ProgressType::TotalFiles2Process, "", static_cast<int64_t>(plans.size()));
    batch.Announce(ProgressType::TotalSize2Process, "",
                   static_cast<int64_t>(plans.empty() ? 0 : progress.Total));
    if (plans.empty())
        return 0;
    for (const auto& plan : plans) {
        applyRename(handle.get(), plan);
        batch.Announce(ProgressType::NewFile, plan.NewName, static_cast<int64_t>(plan.Size));
    }
    zip_register_progress_callback_with_state(handle.get(), 0.01, onRewrite, nullptr, &progress);
    zip_register_cancel_callback_with_state(handle.get(), onCancelQuery, nullptr, &progress);
    commit(handle, archive, batch);
    if (progress.Reported < progress.Total)
        batch.Announce(ProgressType::ProgressUpdate, "",
                       static_cast<int64_t>(progress.Total - progress.Reported));
    return plans.size();
}

} // namespace krel
