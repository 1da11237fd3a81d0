#include "publish/Rc4.h"

#include <openssl/rc4.h>

std::optional<QByteArray> Rc4::RC4EncryptedDataUsingKey(const QByteArray &data, const QString &key, QString *error)
{
    QByteArray keyBytes = key.toUtf8();
    if (keyBytes.size() > 512)
        keyBytes.truncate(512);
    if (keyBytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("RC4 needs a key of at least one byte");
        return std::nullopt;
    }
    // The EVP interface would need the legacy provider loaded; the low-level
    // calls compute the same standard keystream without it.
    RC4_KEY state;
    RC4_set_key(&state, static_cast<int>(keyBytes.size()),
                reinterpret_cast<const unsigned char *>(keyBytes.constData()));
    QByteArray out(data.size(), Qt::Uninitialized);
    // RC4() takes a size_t, so any length goes through in one call.
    RC4(&state, static_cast<size_t>(data.size()), reinterpret_cast<const unsigned char *>(data.constData()),
        reinterpret_cast<unsigned char *>(out.data()));
    return out;
}
