#include "ImportTestSupport.h"

#include <QFile>

QSize jpegSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = file.readAll();
    auto byte = [&](qsizetype i) { return i < b.size() ? quint8(b[i]) : 0; };
    if (byte(0) != 0xFF || byte(1) != 0xD8)
        return {};
    qsizetype i = 2;
    while (i + 9 < b.size()) {
        if (byte(i) != 0xFF)
            return {};
        const int marker = byte(i + 1);
        const int length = (byte(i + 2) << 8) | byte(i + 3);
        if (marker >= 0xC0 && marker <= 0xC2)
            return QSize((byte(i + 7) << 8) | byte(i + 8), (byte(i + 5) << 8) | byte(i + 6));
        i += 2 + length;
    }
    return {};
}
