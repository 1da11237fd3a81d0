#include "publish/zip/ZKBytes.h"

#include <zlib.h>

#include <algorithm>
#include <ctime>
#include <limits>

namespace ZKByteBuffer {

void appendUInt16(ZKBytes &buffer, std::uint16_t value)
{
    buffer.push_back(static_cast<std::uint8_t>(value & 0xFF));
    buffer.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendUInt32(ZKBytes &buffer, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        buffer.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void appendUInt64(ZKBytes &buffer, std::uint64_t value)
{
    for (int shift = 0; shift < 64; shift += 8)
        buffer.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void appendBytes(ZKBytes &buffer, const ZKBytes &bytes)
{
    buffer.insert(buffer.end(), bytes.begin(), bytes.end());
}

void appendString(ZKBytes &buffer, const std::string &utf8)
{
    buffer.insert(buffer.end(), utf8.begin(), utf8.end());
}

ZKBytes withUInt16(std::uint16_t value)
{
    ZKBytes buffer;
    appendUInt16(buffer, value);
    return buffer;
}

ZKBytes withUInt32(std::uint32_t value)
{
    ZKBytes buffer;
    appendUInt32(buffer, value);
    return buffer;
}

ZKBytes withUInt64(std::uint64_t value)
{
    ZKBytes buffer;
    appendUInt64(buffer, value);
    return buffer;
}

std::uint32_t crc32(const ZKBytes &buffer)
{
    // zlib takes a 32-bit length; feed large buffers in slices.
    uLong crc = ::crc32(0L, Z_NULL, 0);
    const std::uint8_t *p = buffer.data();
    std::size_t left = buffer.size();
    while (left > 0) {
        const uInt slice = static_cast<uInt>(std::min<std::size_t>(left, std::numeric_limits<uInt>::max()));
        crc = ::crc32(crc, p, slice);
        p += slice;
        left -= slice;
    }
    return static_cast<std::uint32_t>(crc);
}

ZKBytes deflate(const ZKBytes &buffer)
{
    constexpr std::size_t kStep = 16384;
    if (buffer.size() > std::numeric_limits<uInt>::max())
        return {};
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    ZKBytes out(kStep);
    stream.next_in = const_cast<Bytef *>(buffer.data());
    stream.avail_in = static_cast<uInt>(buffer.size());
    int status = Z_OK;
    std::size_t produced = 0;
    for (;;) {
        stream.next_out = out.data() + produced;
        stream.avail_out = static_cast<uInt>(out.size() - produced);
        status = ::deflate(&stream, Z_FINISH);
        produced = out.size() - stream.avail_out;
        if (status == Z_STREAM_END || (status != Z_OK && status != Z_BUF_ERROR))
            break;
        if (stream.avail_out == 0)
            out.resize(out.size() + kStep);
    }
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        return {};
    out.resize(produced);
    return out;
}

} // namespace ZKByteBuffer

ZKDateTime ZKDateTime::now()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    ZKDateTime when;
    when.year = local.tm_year + 1900;
    when.month = local.tm_mon + 1;
    when.day = local.tm_mday;
    when.hour = local.tm_hour;
    when.minute = local.tm_min;
    when.second = local.tm_sec;
    return when;
}

std::uint16_t ZKDateTime::dosTime() const
{
    return static_cast<std::uint16_t>(hour * 2048 + minute * 32 + second / 2);
}

std::uint16_t ZKDateTime::dosDate() const
{
    const int y = std::clamp(year, 1980, 1980 + 127);
    return static_cast<std::uint16_t>((y - 1980) * 512 + month * 32 + day);
}
