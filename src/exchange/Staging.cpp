#include "exchange/Staging.h"

#include "exchange/StageSources.h"

namespace krel {
namespace fs = std::filesystem;

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
