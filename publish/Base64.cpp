#include "publish/Base64.h"

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

QString Base64::encode(const QByteArray &bytes)
{
    return encode(bytes.constData(), static_cast<qint32>(qMin<qsizetype>(bytes.size(), INT32_MAX)));
}

QString Base64::encode(const void *bytes, qint32 length)
{
    if (length <= 0 || bytes == nullptr)
        return {};
    const auto *b = static_cast<const unsigned char *>(bytes);
    const qint64 n = length;
    QByteArray out;
    out.resize(4 * ((n + 2) / 3));
    char *o = out.data();
    for (qint64 i = 0; i < n; i += 3) {
        const quint32 v =
            (quint32(b[i]) << 16) | (i + 1 < n ? quint32(b[i + 1]) << 8 : 0u) | (i + 2 < n ? quint32(b[i + 2]) : 0u);
        *o++ = kAlphabet[(v >> 18) & 0x3F];
        *o++ = kAlphabet[(v >> 12) & 0x3F];
        *o++ = i + 1 < n ? kAlphabet[(v >> 6) & 0x3F] : '=';
        *o++ = i + 2 < n ? kAlphabet[v & 0x3F] : '=';
    }
    return QString::fromLatin1(out);
}
