#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Byte-buffer helpers of the archive writer. Kept free of the rest of the
// application so that the writer builds with nothing but zlib.
using ZKBytes = std::vector<std::uint8_t>;

namespace ZKByteBuffer {

void appendUInt16(ZKBytes &buffer, std::uint16_t value); // little-endian
void appendUInt32(ZKBytes &buffer, std::uint32_t value);
void appendUInt64(ZKBytes &buffer, std::uint64_t value);
void appendBytes(ZKBytes &buffer, const ZKBytes &bytes);
// Names reach the writer already precomposed (NFC); they are written as given.
void appendString(ZKBytes &buffer, const std::string &utf8);

ZKBytes withUInt16(std::uint16_t value);
ZKBytes withUInt32(std::uint32_t value);
ZKBytes withUInt64(std::uint64_t value);

std::uint32_t crc32(const ZKBytes &buffer);
// Raw deflate (no zlib wrapper) at level 9 with a 32 KiB window. Empty result
// when the stream cannot be set up or does not finish.
ZKBytes deflate(const ZKBytes &buffer);

} // namespace ZKByteBuffer

// A moment broken down in local time, as the MS-DOS stamp of a record needs it.
struct ZKDateTime
{
    int year = 1980;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    static ZKDateTime now(); // the system clock, local time

    // Years outside what the 7-bit field can hold are clamped rather than
    // wrapped, so a wrong clock never yields a stamp from another century.
    std::uint16_t dosTime() const;
    std::uint16_t dosDate() const;
};
