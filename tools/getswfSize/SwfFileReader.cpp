#include "SwfFileReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

uint32_t le32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uint8_t *p)
{
    return uint16_t(p[0] | p[1] << 8);
}

// Inflates exactly `wanted` bytes; the buffer grows with the data actually
// inflated, so a small file declaring a huge length costs no memory.
bool inflateMovie(const uint8_t *data, size_t size, size_t wanted, std::vector<uint8_t> &out, std::string &error)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        error = "cannot start decompression";
        return false;
    }
    const size_t start = out.size();
    zs.next_in = const_cast<Bytef *>(data);
    zs.avail_in = uInt(std::min<size_t>(size, UINT32_MAX));
    size_t produced = 0;
    int rc = Z_OK;
    while (produced < wanted && rc == Z_OK) {
        const size_t chunk = std::min<size_t>(wanted - produced, 1u << 20);
        out.resize(start + produced + chunk);
        zs.next_out = out.data() + start + produced;
        zs.avail_out = uInt(chunk);
        rc = inflate(&zs, Z_NO_FLUSH);
        produced += chunk - zs.avail_out;
        if (rc == Z_BUF_ERROR && zs.avail_in == 0)
            break;
    }
    // The stream must end exactly where the declared length does.
    if (rc == Z_OK && produced == wanted) {
        uint8_t probe[1];
        zs.next_out = probe;
        zs.avail_out = 1;
        rc = inflate(&zs, Z_NO_FLUSH);
        if (zs.avail_out == 0) {
            inflateEnd(&zs);
            error = "the file is longer than its header declares";
            return false;
        }
    }
    inflateEnd(&zs);
    out.resize(start + produced);
    if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR) {
        error = "the compressed data is corrupt";
        return false;
    }
    if (produced < wanted) {
        error = rc == Z_STREAM_END ? "the file is shorter than its header declares"
                                   : "the file is truncated (compressed data ends early)";
        return false;
    }
    if (rc != Z_STREAM_END) {
        error = "the file is truncated (compressed data ends early)";
        return false;
    }
    return true;
}

} // namespace

bool SwfFileReader::read(const uint8_t *data, size_t size, SwfInfo &info, std::string &error)
{
    info = SwfInfo{};
    if (size < 8) {
        error = "the file is too short to be an SWF file";
        return false;
    }
    if (std::memcmp(data + 1, "WS", 2) != 0 || (data[0] != 'F' && data[0] != 'C' && data[0] != 'Z')) {
        error = "not an SWF file (bad signature)";
        return false;
    }
    if (data[0] == 'Z') {
        error = "LZMA-compressed SWF files are not supported";
        return false;
    }
    info.compressed = data[0] == 'C';
    info.version = data[3];
    info.declaredLength = le32(data + 4);
    if (info.declaredLength < 8 + 1 + 4) {
        error = "the declared file length is too small";
        return false;
    }
    if (info.declaredLength > kMaxMovieSize) {
        error = "the declared file length is too large";
        return false;
    }
    info.movie.assign(data, data + 8);
    const size_t bodyLength = info.declaredLength - 8;
    if (info.compressed) {
        if (!inflateMovie(data + 8, size - 8, bodyLength, info.movie, error))
            return false;
    } else {
        if (size < info.declaredLength) {
            error = "the file is truncated (shorter than its header declares)";
            return false;
        }
        info.movie.insert(info.movie.end(), data + 8, data + info.declaredLength);
    }

    const uint8_t *m = info.movie.data();
    const size_t end = info.movie.size();
    const int nbits = m[8] >> 3;
    const size_t rectBytes = (5 + 4 * size_t(nbits) + 7) / 8;
    if (8 + rectBytes + 4 > end) {
        error = "the file is truncated (in the frame size)";
        return false;
    }
    uint64_t bitPos = 5;
    auto readSigned = [&](int bits) -> int32_t {
        if (bits == 0)
            return 0;
        uint32_t v = 0;
        for (int i = 0; i < bits; ++i, ++bitPos)
            v = (v << 1) | ((m[8 + bitPos / 8] >> (7 - bitPos % 8)) & 1);
        if (bits < 32 && (v & (1u << (bits - 1))))
            v |= ~0u << bits;
        return int32_t(v);
    };
    info.xMin = readSigned(nbits);
    info.xMax = readSigned(nbits);
    info.yMin = readSigned(nbits);
    info.yMax = readSigned(nbits);
    if (info.xMax < info.xMin || info.yMax < info.yMin) {
        error = "the frame size is invalid";
        return false;
    }
    size_t pos = 8 + rectBytes;
    pos += 2; // frame rate
    info.frameCount = le16(m + pos);
    pos += 2;

    for (;;) {
        if (pos + 2 > end) {
            error = "the file is truncated (the tag list has no end)";
            return false;
        }
        const uint16_t header = le16(m + pos);
        pos += 2;
        SwfTag tag;
        tag.code = header >> 6;
        tag.length = header & 0x3F;
        if (tag.length == 0x3F) {
            if (pos + 4 > end) {
                error = "the file is truncated (in a tag header)";
                return false;
            }
            tag.length = le32(m + pos);
            pos += 4;
        }
        if (tag.length > end - pos) {
            error = "the file is truncated (a tag runs past the end)";
            return false;
        }
        tag.offset = pos;
        pos += tag.length;
        info.tags.push_back(tag);
        if (tag.code == 0)
            return true;
    }
}

bool SwfFileReader::readFile(const std::string &path, SwfInfo &info, std::string &error)
{
    const std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error = "cannot open \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    // A compressed movie is never larger than the largest movie we accept.
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (data.size() + n > kMaxMovieSize + 65536) {
            error = "\"" + path + "\" is too large for an SWF page";
            return false;
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    if (std::ferror(file.get())) {
        error = "cannot read \"" + path + "\"";
        return false;
    }
    return read(data.data(), data.size(), info, error);
}
