#include "publish/Base64.h"
#include "publish/Rc4.h"

#include <gtest/gtest.h>

TEST(Base64, rfc4648VectorsAndEveryByteValue)
{
    const std::pair<const char *, const char *> vectors[] = {{"", ""},
                                                             {"f", "Zg=="},
                                                             {"fo", "Zm8="},
                                                             {"foo", "Zm9v"},
                                                             {"foob", "Zm9vYg=="},
                                                             {"fooba", "Zm9vYmE="},
                                                             {"foobar", "Zm9vYmFy"},
                                                             {"abc", "YWJj"}};
    for (const auto &[plain, encoded] : vectors)
        EXPECT_EQ(Base64::encode(QByteArray(plain)), QString::fromLatin1(encoded)) << plain;
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    for (int length : {254, 255, 256})
        EXPECT_EQ(Base64::encode(all.left(length)), QString::fromLatin1(all.left(length).toBase64()));
}

TEST(Rc4, rfc6229KeystreamVectors)
{
    const QByteArray zeros(256, '\0'); // enciphering zeros yields the keystream
    const QString key40 = QString::fromLatin1(QByteArray::fromHex("0102030405"));
    const QString key128 = QString::fromLatin1(QByteArray::fromHex("0102030405060708090a0b0c0d0e0f10"));
    const QByteArray s40 = Rc4::RC4EncryptedDataUsingKey(zeros, key40).value_or(QByteArray());
    EXPECT_EQ(s40.mid(0, 16).toHex(), QByteArray("b2396305f03dc027ccc3524a0a1118a8"));
    EXPECT_EQ(s40.mid(16, 16).toHex(), QByteArray("6982944f18fc82d589c403a47a0d0919"));
    EXPECT_EQ(s40.mid(240, 16).toHex(), QByteArray("28cb1132c96ce286421dcaadb8b69eae"));
    EXPECT_EQ(Rc4::RC4EncryptedDataUsingKey(zeros, key128)->mid(0, 16).toHex(),
              QByteArray("9ac7cc9a609d1ef7b2932899cde41b97"));
}

TEST(Rc4, inverseKeyBytesAndLimits)
{
    const QByteArray text = "The packed configuration";
    const auto once = Rc4::RC4EncryptedDataUsingKey(text, QStringLiteral("vellumkeystone"));
    EXPECT_EQ(*Rc4::RC4EncryptedDataUsingKey(*once, QStringLiteral("vellumkeystone")), text);
    EXPECT_EQ(Rc4::RC4EncryptedDataUsingKey("Plaintext", QStringLiteral("Key"))->toHex(),
              QByteArray("bbf316e8d940af0ad3"));
    // A non-ASCII key is used as its UTF-8 bytes (c3 a9).
    EXPECT_EQ(Rc4::RC4EncryptedDataUsingKey("abc", QStringLiteral("\u00e9"))->toHex(), QByteArray("cd2a80"));
    EXPECT_EQ(*Rc4::RC4EncryptedDataUsingKey(text, QString(512, QLatin1Char('k')) + QLatin1Char('x')),
              *Rc4::RC4EncryptedDataUsingKey(text, QString(512, QLatin1Char('k'))));
    QString error;
    EXPECT_FALSE(Rc4::RC4EncryptedDataUsingKey(text, QString(), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}
