#include "archive/ZipDeflatedSource.h"

#include "archive/ZipHandle.h"

#include <algorithm>
#include <cstring>

namespace krel {
namespace {

struct DeflatedSource {
    const DeflatedMember* member = nullptr;
    size_t position = 0;
    zip_error_t error{};
};

zip_int64_t readStream(DeflatedSource& source, void* data, zip_uint64_t length) {
    const std::string& stream = source.member->Stream;
    size_t count =
        static_cast<size_t>(std::min<zip_uint64_t>(length, stream.size() - source.position));
    std::memcpy(data, stream.data() + source.position, count);
    source.position += count;
    return static_cast<zip_int64_t>(count);
}

zip_int64_t statStream(DeflatedSource& source, void* data, zip_uint64_t length) {
    auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &source.error);
    if (!stat)
        return -1;
    const DeflatedMember& member = *source.member;
    zip_stat_init(stat);
    stat->size = member.Size;
    stat->comp_size = member.Stream.size();
    stat->comp_method = ZIP_CM_DEFLATE;
    stat->encryption_method = ZIP_EM_NONE;
    stat->crc = member.Crc;
    stat->mtime = member.ModTime;
    stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD |
                   ZIP_STAT_ENCRYPTION_METHOD | ZIP_STAT_CRC | ZIP_STAT_MTIME;
    return sizeof(zip_stat_t);
}

zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto& source = *static_cast<DeflatedSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        source.position = 0;
        return 0;
    case ZIP_SOURCE_READ:
        return readStream(source, data, length);
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT:
        return statStream(source, data, length);
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source.error, data, length);
    case ZIP_SOURCE_FREE:
        zip_error_fini(&source.error);
        delete &source;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE;
    default:
        zip_error_set(&source.error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

} // namespace

zip_source_t* MakeDeflatedSource(zip_t* archive, const DeflatedMember& member) {
    auto* state = new DeflatedSource{&member, 0, {}};
    zip_error_init(&state->error);
    zip_source_t* source = zip_source_function(archive, callback, state);
    if (!source) {
        zip_error_fini(&state->error);
        delete state;
        throw ZipFailure("Error: cannot add a member: " + LastErrorText(archive));
    }
    return source;
}

} // namespace krel
