#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The RC4 stream cipher, used to encipher the packed book configuration that
// the player deciphers with the same key. Applying it twice gives the input back.
class Rc4
{
public:
    // `key` is used as its UTF-8 bytes, cut to 512 bytes. Nothing (and a
    // description in `error`) for an empty key, which the cipher cannot take.
    static std::optional<QByteArray> RC4EncryptedDataUsingKey(const QByteArray &data, const QString &key,
                                                              QString *error = nullptr);
};
