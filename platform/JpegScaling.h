#pragma once

#include <QByteArray>
#include <QSize>

namespace JpegScaling {

// A JPEG of half the width and height of `jpeg` (rounded up), encoded at
// `quality` (1..100). The decoder scales in the frequency domain, so this costs
// far less than a full decode and resize. Empty when `jpeg` is not a JPEG the
// decoder can read (a CMYK image, a damaged file); `size` gets the new size.
QByteArray half(const QByteArray &jpeg, int quality, QSize *size = nullptr);

} // namespace JpegScaling
