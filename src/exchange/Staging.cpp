#include "exchange/Staging.h"

#include "exchange/StageSources.h"

namespace krel {
namespace fs = std::filesystem;

FilePair StageTargetsIn(const fs::path& workFolder, StageTarget target) {
    return target == StageTarget::Merge ? MergeCopiesIn(workFolder) : WorkCopiesIn(workFolder);
}

StageResult StageEncyclopedia(const std::vector<fs::path>& selection, StageTarget target,
                              const fs::path& workFolder, TZipMaster& zip, const LogFn& log) {
    std::optional<BytesPair> staged;
    if (selection.size() == 2) {
        staged = exchange::ReadTextPair(selection[0], selection[1]);
        if (!staged)
            return {StageOutcome::InvalidFiles, std::string(kInvalidFilesText)};
    } else {
        if (!selection.empty())
            staged = exchange::ExtractArchivePair(zip, selection.front(), log);
        if (!staged)
            return {StageOutcome::InvalidArchive, std::string(kInvalidArchiveText)};
    }
    exchange::ReplacePair(StageTargetsIn(workFolder, target), std::move(*staged));
    return {StageOutcome::Staged, {}};
}

} // namespace krel
