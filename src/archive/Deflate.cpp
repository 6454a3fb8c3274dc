#include "archive/Deflate.h"

#include "DeflateJoin.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <libdeflate.h>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace krel {
namespace {

constexpr int kTopLevel = 7;

// One block of one input; blocks are compressed independently and joined in order.
struct Block {
    size_t Input = 0;
    std::string_view Bytes;
    bool Last = false;
    std::string Stream;
};

struct CompressorFree {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorFree>;

Compressor makeCompressor(int level) {
    Compressor compressor(libdeflate_alloc_compressor(level));
    if (!compressor)
        throw std::runtime_error("cannot set up libdeflate at level " + std::to_string(level));
    return compressor;
}

void compressBlock(libdeflate_compressor* compressor, Block& block) {
    block.Stream.resize(libdeflate_deflate_compress_bound(compressor, block.Bytes.size()));
    size_t size = libdeflate_deflate_compress(compressor, block.Bytes.data(), block.Bytes.size(),
                                              block.Stream.data(), block.Stream.size());
    if (size == 0)
        throw std::runtime_error("libdeflate could not compress a block");
    block.Stream.resize(size);
    if (!block.Last)
        MakeStreamContinue(block.Stream);
}

std::vector<Block> cutIntoBlocks(const std::vector<std::string_view>& inputs, size_t blockSize) {
    std::vector<Block> blocks;
    blockSize = std::max<size_t>(blockSize, 1);
    for (size_t input = 0; input < inputs.size(); ++input) {
        std::string_view rest = inputs[input];
        do {
            std::string_view piece = rest.substr(0, blockSize);
            rest.remove_prefix(piece.size());
            blocks.push_back({input, piece, rest.empty(), {}});
        } while (!rest.empty());
    }
    return blocks;
}

// Hands the blocks, largest first, to the threads as each becomes free.
class BlockQueue {
public:
    BlockQueue(std::vector<Block>& blocks, int level) : blocks_(blocks), level_(level) {
        for (size_t i = 0; i < blocks.size(); ++i)
            order_.push_back(i);
        std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
            return blocks[a].Bytes.size() > blocks[b].Bytes.size();
        });
    }

    void Work() noexcept {
        try {
            Compressor compressor = makeCompressor(level_);
            for (size_t at = next_++; at < order_.size() && !failed_; at = next_++)
                compressBlock(compressor.get(), blocks_[order_[at]]);
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureLock_);
            failed_ = true;
            if (!failure_)
                failure_ = std::current_exception();
        }
    }

    void RethrowFailure() const {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    std::vector<Block>& blocks_;
    int level_;
    std::vector<size_t> order_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::mutex failureLock_;
    std::exception_ptr failure_;
};

unsigned threadCount(const DeflateSettings& settings, size_t blocks) {
    unsigned wanted =
        settings.Threads != 0 ? settings.Threads : std::thread::hardware_concurrency();
    return static_cast<unsigned>(std::clamp<size_t>(wanted, 1, std::max<size_t>(blocks, 1)));
}

void compressAll(std::vector<Block>& blocks, const DeflateSettings& settings) {
    BlockQueue queue(blocks, settings.Level);
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threadCount(settings, blocks.size()); ++i)
        helpers.emplace_back([&queue] { queue.Work(); });
    queue.Work();
    for (std::thread& helper : helpers)
        helper.join();
    queue.RethrowFailure();
}

uint32_t crcOf(std::string_view bytes) {
    return libdeflate_crc32(0, bytes.data(), bytes.size());
}

} // namespace

DeflateSettings DeflateSettingsFor(int compLevel) {
    DeflateSettings settings;
    settings.Level = std::clamp(compLevel, 0, kTopLevel);
    return settings;
}

std::vector<DeflatedData> DeflateAll(const std::vector<std::string_view>& inputs,
                                     const DeflateSettings& settings) {
    std::vector<Block> blocks = cutIntoBlocks(inputs, settings.BlockSize);
    compressAll(blocks, settings);
    std::vector<DeflatedData> deflated(inputs.size());
    for (Block& block : blocks)
        deflated[block.Input].Stream += block.Stream;
    for (size_t input = 0; input < inputs.size(); ++input)
        deflated[input].Crc = crcOf(inputs[input]);
    return deflated;
}

} // namespace krel
