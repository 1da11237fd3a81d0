#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One tag of a movie: its code and where its body lies in SwfInfo::movie.
struct SwfTag
{
    int code = 0;
    size_t offset = 0;
    size_t length = 0;
};

// What a careful read of an SWF file found.
struct SwfInfo
{
    bool compressed = false;
    int version = 0;
    uint32_t declaredLength = 0;
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0; // twips
    int frameCount = 0;
    std::vector<uint8_t> movie; // the uncompressed file, header included
    std::vector<SwfTag> tags;   // up to and including the End tag

    // Frame size in whole pixels (20 twips each), rounded.
    int widthPixels() const { return int((int64_t(xMax) - xMin + 10) / 20); }
    int heightPixels() const { return int((int64_t(yMax) - yMin + 10) / 20); }
};

// Reads SWF files (plain "FWS" and zlib "CWS"), checking every length against
// the data so that malformed, truncated or hostile input is refused with a
// message instead of crashing, hanging or exhausting memory.
class SwfFileReader
{
public:
    static constexpr size_t kMaxMovieSize = 256u * 1024 * 1024;

    static bool read(const uint8_t *data, size_t size, SwfInfo &info, std::string &error);
    static bool readFile(const std::string &path, SwfInfo &info, std::string &error);
};
