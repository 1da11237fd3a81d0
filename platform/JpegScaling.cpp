#include "platform/JpegScaling.h"

#include <turbojpeg.h>

#include <algorithm>
#include <vector>

namespace {
// One compressor and one decompressor per thread, made on first use.
struct Handles
{
    tjhandle decoder = tjInitDecompress();
    tjhandle encoder = tjInitCompress();
    Handles() = default;
    Handles(const Handles &) = delete;
    Handles &operator=(const Handles &) = delete;
    ~Handles()
    {
        if (decoder)
            tjDestroy(decoder);
        if (encoder)
            tjDestroy(encoder);
    }
};
} // namespace

QByteArray JpegScaling::half(const QByteArray &jpeg, int quality, QSize *size)
{
    thread_local Handles tj;
    if (!tj.decoder || !tj.encoder || jpeg.isEmpty())
        return {};
    const auto *in = reinterpret_cast<const unsigned char *>(jpeg.constData());
    const auto inSize = static_cast<unsigned long>(jpeg.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(tj.decoder, in, inSize, &width, &height, &subsampling, &colorspace) != 0 || width <= 0 ||
        height <= 0 || colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
        return {};
    const tjscalingfactor factor{1, 2};
    const int w = TJSCALED(width, factor);
    const int h = TJSCALED(height, factor);
    // A grey page stays grey: one channel to decode and to encode.
    const bool grey = colorspace == TJCS_GRAY;
    const int format = grey ? TJPF_GRAY : TJPF_RGB;
    std::vector<unsigned char> pixels(size_t(w) * size_t(h) * size_t(tjPixelSize[format]));
    // A warning (a truncated scan, say) still leaves a whole picture.
    if (tjDecompress2(tj.decoder, in, inSize, pixels.data(), w, 0, h, format, TJFLAG_FASTDCT) != 0 &&
        tjGetErrorCode(tj.decoder) != TJERR_WARNING)
        return {};
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjCompress2(tj.encoder, pixels.data(), w, 0, h, format, &out, &outSize,
                               grey ? TJSAMP_GRAY : TJSAMP_420, std::clamp(quality, 1, 100), TJFLAG_FASTDCT);
    QByteArray result;
    if (rc == 0 && out)
        result = QByteArray(reinterpret_cast<const char *>(out), qsizetype(outSize));
    if (out)
        tjFree(out);
    if (size && !result.isEmpty())
        *size = QSize(w, h);
    return result;
}
