#pragma once
// TZipMaster: the component through which the editor and the graphic browser list, extract and
// write archives, a facade over the archive reader (ZipArchive) and writer (ZipWriter).
//
// The component reports its own failures ("Error: input file is not a zip file" and the like)
// through OnMessage, or the trace channel when no handler is set, and then returns normally:
// callers see only the result, an empty list, no stream or an archive unchanged. Exceptions
// raised by the caller's own OnProgress handler are not the component's failures; they reach
// the caller once libzip has let go of the archive, which is then left unchanged.

#include "archive/ZipStream.h"
#include "archive/ZipTypes.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace krel {

class TZipMaster {
public:
    // Folder of the compression libraries. They are linked into the program here, so there is
    // nothing to load from it and the setting has no effect.
    void SetDLLDirectory(const std::string&) {}

    // Setting the name re-reads the directory at once. A missing file leaves it empty (a new
    // archive); a damaged or non-ZIP file is reported, the name emptied and the list left empty.
    const std::filesystem::path& ZipFileName() const { return zipFileName_; }
    void SetZipFileName(const std::filesystem::path& archive);

    // The listing in archive order; callers may sort it in place.
    std::vector<ZipDirEntry>& ZipContents() { return contents_; }
    const std::vector<ZipDirEntry>& ZipContents() const { return contents_; }
    int Count() const { return static_cast<int>(contents_.size()); }
    const ZipDirEntry& DirEntry(int index) const {
        return contents_.at(static_cast<size_t>(index));
    }

    // Extracts the member listed under name (letter case ignored) into the component's stream
    // and returns it, or returns nullptr after a report when no member or several carry that
    // name or the member cannot be read whole; the stream then keeps its previous content.
    TZipStream* ExtractFileToStream(const std::string& name);

    // Files for the next Add; Add empties the list once it has run.
    std::vector<std::filesystem::path>& FSpecArgs() { return fSpecArgs_; }
    // Adds the FSpecArgs files under their bare names and re-reads the directory. Returns
    // whether the archive was written.
    bool Add();
    // Rewrites member names (see ZipRenameRec) and re-reads the directory. Returns whether the
    // archive now carries the new names (true also when no name matched).
    bool Rename(const std::vector<ZipRenameRec>& renames, uint32_t dateTime = 0);

    // Raised on the caller's thread during extraction, Add and Rename; every batch ends with
    // one EndOfBatch, whether it succeeded or not.
    ZipProgressFn OnProgress;
    // Shows the component's failure reports; unset, they go to the trace channel.
    ZipMessageFn OnMessage;

private:
    template <class Work> bool runBatch(Work&& work);
    void rereadDirectory();
    void report(const std::string& text) const;
    void progress(ProgressType type, const std::string& name, int64_t size);

    std::filesystem::path zipFileName_;
    std::vector<ZipDirEntry> contents_;
    std::vector<std::filesystem::path> fSpecArgs_;
    TZipStream stream_;
};

} // namespace krel
