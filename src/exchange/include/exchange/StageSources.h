#pragma once
// The two kinds of source a staging reads, each into memory before any target is touched.

#include "archive/ZipMaster.h"
#include "exchange/FileWork.h"

#include <filesystem>
#include <optional>
#include <string>

namespace krel::exchange {

// A pair of text files; nothing when the pair is refused.
std::optional<BytesPair> ReadTextPair(const std::filesystem::path& first,
                                      const std::filesystem::path& second);

// An archive's two encyclopedia members; nothing when the archive is refused.
std::optional<BytesPair> ExtractArchivePair(TZipMaster& zip, const std::filesystem::path& archive,
                                            const LogFn& log);

} // namespace krel::exchange
