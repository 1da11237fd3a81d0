#include "publish/Base64.h"
#include "publish/Rc4.h"

#include <gtest/gtest.h>

TEST(Base64, rfc4648Vectors)
{
    const std::pair<const char *, const char *> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"abc", "YWJj"},
    };
    for (const auto &[plain, encoded] : vectors)
        EXPECT_EQ(Base64::encode(QByteArray(plain)), QString::fromLatin1(encoded)) << plain;
}

TEST(Base64, everyByteValueMatchesAReferenceEncoder)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    for (int length : {0, 1, 2, 3, 254, 255, 256}) {
        const QByteArray slice = all.left(length);
        const QString encoded = Base64::encode(slice);
        EXPECT_EQ(encoded, QString::fromLatin1(slice.toBase64())) << length;
        EXPECT_EQ(encoded.size(), 4 * ((length + 2) / 3));
    }
    EXPECT_EQ(Base64::encode(all.constData(), -5), QString());
}

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}
} // namespace

TEST(Rc4, rfc6229KeystreamVectors)
{
    // Enciphering zeros yields the keystream itself.
    const QByteArray zeros(4096, '\0');
    struct Vector
    {
        QByteArray key;
        int offset;
        const char *stream;
    };
    const Vector vectors[] = {
        {hex("0102030405"), 0, "b2396305f03dc027ccc3524a0a1118a8"},
        {hex("0102030405"), 240, "28cb1132c96ce286421dcaadb8b69eae"},
        {hex("0102030405"), 16, "6982944f18fc82d589c403a47a0d0919"},
        {hex("0102030405060708090a0b0c0d0e0f10"), 0, "9ac7cc9a609d1ef7b2932899cde41b97"},
    };
    for (const Vector &v : vectors) {
        const auto stream = Rc4::RC4EncryptedDataUsingKey(zeros, QString::fromLatin1(v.key));
        ASSERT_TRUE(stream.has_value());
        EXPECT_EQ(stream->mid(v.offset, 16).toHex(), QByteArray(v.stream)) << v.key.toHex().toStdString();
    }
}

TEST(Rc4, isItsOwnInverseAndUsesTheKeyAsUtf8)
{
    const QByteArray text = "The packed configuration, \xc3\xa9t\xc3\xa9 edition";
    const auto once = Rc4::RC4EncryptedDataUsingKey(text, QStringLiteral("vellumkeystone"));
    ASSERT_TRUE(once.has_value());
    EXPECT_NE(*once, text);
    EXPECT_EQ(*Rc4::RC4EncryptedDataUsingKey(*once, QStringLiteral("vellumkeystone")), text);

    // Classic vector: key "Key", plaintext "Plaintext".
    EXPECT_EQ(Rc4::RC4EncryptedDataUsingKey("Plaintext", QStringLiteral("Key"))->toHex(),
              QByteArray("bbf316e8d940af0ad3"));
    // A non-ASCII key is its UTF-8 bytes.
    EXPECT_EQ(Rc4::RC4EncryptedDataUsingKey("abc", QStringLiteral("\u00e9"))->toHex(), QByteArray("cd2a80"));
}

TEST(Rc4, longKeysAreCutAndAnEmptyKeyFails)
{
    const QString key513 = QString(512, QLatin1Char('k')) + QLatin1Char('x');
    const QString key512 = QString(512, QLatin1Char('k'));
    EXPECT_EQ(*Rc4::RC4EncryptedDataUsingKey("data", key513), *Rc4::RC4EncryptedDataUsingKey("data", key512));

    QString error;
    EXPECT_FALSE(Rc4::RC4EncryptedDataUsingKey("data", QString(), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}
