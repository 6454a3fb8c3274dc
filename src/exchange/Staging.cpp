#include "exchange/Staging.h"

#include "exchange/StageSources.h"

#include <cctype>
#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kContentsStem = "wsEncyclopedia";
constexpr std::string_view kTitlesStem = "wsEncyclopediaTitles";

bool endsWithTextExtension(const fs::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".txt";
}

// The partner's file name, or empty when the name holds neither stem.
std::string partnerName(std::string name) {
    if (size_t at = name.find(kTitlesStem); at != std::string::npos)
        return name.replace(at, kTitlesStem.size(), kContentsStem);
    if (size_t at = name.find(kContentsStem); at != std::string::npos)
        return name.replace(at, kContentsStem.size(), kTitlesStem);
    return {};
}

} // namespace

bool IsLoneTextFile(const std::vector<fs::path>& selection) {
    return selection.size() == 1 && endsWithTextExtension(selection.front());
}

std::optional<fs::path> PartnerTextFile(const fs::path& chosen) {
    const std::string name = partnerName(chosen.filename().string());
    if (name.empty())
        return std::nullopt;
    fs::path partner = chosen.parent_path() / name;
    std::error_code error;
    if (!fs::is_regular_file(partner, error))
        return std::nullopt;
    return partner;
}

FilePair StageTargetsIn(const fs::path& workFolder, StageTarget target) {
    return target == StageTarget::Merge ? MergeCopiesIn(workFolder) : WorkCopiesIn(workFolder);
}

SelectionBytes ReadSelection(const std::vector<fs::path>& selection, TZipMaster& zip,
                             const LogFn& log) {
    std::optional<BytesPair> read;
    if (selection.size() == 2) {
        read = exchange::ReadTextPair(selection[0], selection[1]);
        if (!read)
            return {{StageOutcome::InvalidFiles, std::string(kInvalidFilesText)}, {}};
    } else {
        if (!selection.empty())
            read = exchange::ExtractArchivePair(zip, selection.front(), log);
        if (!read)
            return {{StageOutcome::InvalidArchive, std::string(kInvalidArchiveText)}, {}};
    }
    return {{StageOutcome::Staged, {}}, std::move(*read)};
}

StageResult StageEncyclopedia(const std::vector<fs::path>& selection, StageTarget target,
                              const fs::path& workFolder, TZipMaster& zip, const LogFn& log) {
    SelectionBytes read = ReadSelection(selection, zip, log);
    if (read.Result.Outcome == StageOutcome::Staged)
        exchange::ReplacePair(StageTargetsIn(workFolder, target), read.Bytes);
    return read.Result;
}

} // namespace krel
