#include "ZipBytes.h"

#include <stdexcept>
#include <zlib.h>

namespace krel::test {
namespace {

void put16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

struct Written {
    uint32_t Crc, Compressed, Size, Offset;
    uint16_t Method;
};

Written describe(const RawMember& member, const std::string& payload, uint32_t offset) {
    auto crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(member.Data.data()), member.Data.size()));
    return {member.Crc.value_or(crc), static_cast<uint32_t>(payload.size()),
            member.DeclaredSize.value_or(static_cast<uint32_t>(member.Data.size())), offset,
            static_cast<uint16_t>(member.Deflate ? 8 : 0)};
}

void putCommon(std::string& out, const Written& w, size_t nameLength) {
    put16(out, 20); // version needed
    put16(out, 0);  // flags
    put16(out, w.Method);
    put16(out, 0);      // time
    put16(out, 0x5A21); // date
    put32(out, w.Crc);
    put32(out, w.Compressed);
    put32(out, w.Size);
    put16(out, static_cast<uint32_t>(nameLength));
    put16(out, 0); // extra length
}

} // namespace

std::string Deflate(const std::string& data) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate failed");
    return out;
}

std::string BuildZip(const std::vector<RawMember>& members) {
    std::string out, central;
    for (const auto& member : members) {
        std::string payload = member.Deflate ? Deflate(member.Data) : member.Data;
        Written w = describe(member, payload, static_cast<uint32_t>(out.size()));
        put32(out, 0x04034b50);
        putCommon(out, w, member.Name.size());
        out += member.Name + payload;

        put32(central, 0x02014b50);
        put16(central, 20); // version made by
        putCommon(central, w, member.Name.size());
        put16(central, 0); // comment length
        put16(central, 0); // disk
        put16(central, 0); // internal attributes
        put32(central, 0); // external attributes
        put32(central, member.CentralOffset.value_or(w.Offset));
        central += member.Name;
    }
    auto centralOffset = static_cast<uint32_t>(out.size());
    out += central;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint32_t>(members.size()));
    put16(out, static_cast<uint32_t>(members.size()));
    put32(out, static_cast<uint32_t>(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

} // namespace krel::test
