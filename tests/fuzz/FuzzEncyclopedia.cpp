// Reads arbitrary bytes as the two encyclopedia files: the first two bytes say where the
// titles file ends and the contents file begins. Every input must give records or a clean
// error, never a crash.

#include "encyclopedia/Parser.h"
#include "encyclopedia/TextFormat.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    size_t split = provider.ConsumeIntegral<uint16_t>();
    std::string rest = provider.ConsumeRemainingBytesAsString();
    split = rest.empty() ? 0 : split % (rest.size() + 1);
    std::string_view titles = std::string_view(rest).substr(0, split);
    std::string_view contents = std::string_view(rest).substr(split);
    try {
        krel::ReadEncyclopediaLines(titles);
    } catch (const std::runtime_error&) {
    }
    try {
        krel::ParseResult parsed = krel::ParseEncyclopedia(titles, contents);
        for (const auto& record : parsed.Records)
            krel::SplitCommaList(record.Related);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
