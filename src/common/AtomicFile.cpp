#include "common/AtomicFile.h"

#include "Replacement.h"
#include "WriteTargets.h"
#include "common/Platform.h"

#include <stdexcept>
#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

void requirePlainFile(const fs::path& path) {
    FileKind kind = FactsOf(path, true).Kind;
    if (kind == FileKind::Folder)
        throw std::runtime_error("Cannot open file " + replace::Quoted(path) + ": it is a folder");
    if (kind == FileKind::Other)
        throw std::runtime_error("Cannot open file " + replace::Quoted(path) +
                                 ": it is not a plain file");
}

FileHandle openForReading(const fs::path& path) {
    try {
        requirePlainFile(path);
        return OpenPlainFile(path);
    } catch (const std::system_error& e) {
        replace::Fail("Cannot open", path, e);
    }
}

replace::Fill bytesOf(std::string_view bytes) {
    return [bytes](const FileHandle& file) {
        WriteAll(file, bytes);
    };
}

replace::Fill copyOf(const fs::path& source) {
    return [source](const FileHandle& file) {
        CopyAll(openForReading(source), file);
    };
}

// Each file as named, and the file its links lead to, whose folder a writer may be using.
std::vector<fs::path> withLinkedFiles(const std::vector<fs::path>& files) {
    std::vector<fs::path> paths = files;
    for (const fs::path& file : files) {
        std::error_code error;
        fs::path linked = fs::canonical(file, error);
        if (!error)
            paths.push_back(linked);
    }
    return paths;
}

} // namespace

std::string ReadWholeFile(const fs::path& path) {
    FileHandle file = openForReading(path);
    try {
        return ReadAll(file);
    } catch (const std::system_error& e) {
        replace::Fail("Cannot read", path, e);
    }
}

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    replace::ReplaceAll({{path, bytesOf(bytes)}});
}

void ReplaceFilesAtomically(const std::vector<FileContent>& files) {
    std::vector<replace::NewContent> contents;
    for (const auto& [target, bytes] : files)
        contents.push_back({target, bytesOf(bytes)});
    replace::ReplaceAll(contents);
}

void ReplaceFilesWithCopies(const std::vector<FileCopy>& copies) {
    std::vector<replace::NewContent> contents;
    std::vector<fs::path> sources;
    for (const auto& [target, source] : copies) {
        contents.push_back({target, copyOf(source)});
        sources.push_back(source);
    }
    replace::ReplaceAll(contents, withLinkedFiles(sources));
}

void MoveFileIntoPlace(const fs::path& built, const fs::path& target) {
    ReplaceFilesWithCopies({{target, built}});
    std::error_code ignored;
    fs::remove(built, ignored);
}

ReadingLock::ReadingLock(const std::vector<fs::path>& files)
    : hold_(std::make_unique<replace::FolderHold>(withLinkedFiles(files))) {}

ReadingLock::~ReadingLock() = default;

std::vector<std::string> ReadFilesTogether(const std::vector<fs::path>& files) {
    ReadingLock lock(files);
    std::vector<std::string> contents;
    for (const fs::path& file : files)
        contents.push_back(ReadWholeFile(file));
    return contents;
}

} // namespace krel
