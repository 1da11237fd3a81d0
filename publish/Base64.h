#pragma once

#include <QByteArray>
#include <QString>

// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).
class Base64
{
public:
    static QString encode(const QByteArray &bytes);
    // A negative length encodes nothing.
    static QString encode(const void *bytes, qint32 length);
};
