#include "SwfTestSupport.h"

#include "SwfFileReader.h"
#include "SwfWriter.h"

#include <gtest/gtest.h>

namespace {

QByteArray smallMovie(bool compressed)
{
    SwfWriter writer(QSize(301, 199));
    QPainterPath path;
    path.addEllipse(QRectF(10, 10, 120, 80));
    writer.place(writer.defineFill(path, SwfFill{}));
    return writer.finish(compressed);
}

bool reads(const QByteArray &bytes, std::string *error = nullptr)
{
    SwfInfo info;
    std::string e;
    const bool ok =
        SwfFileReader::read(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), info, e);
    if (!ok && e.empty())
        ADD_FAILURE() << "a refused file must come with a reason";
    if (error)
        *error = e;
    return ok;
}

} // namespace

TEST(SwfFileReader, ReadsFrameSizeAndTagsOfPlainAndCompressedMovies)
{
    for (const bool compressed : {false, true}) {
        const QByteArray bytes = smallMovie(compressed);
        EXPECT_EQ(bytes.left(3), compressed ? QByteArray("CWS") : QByteArray("FWS"));
        const SwfInfo info = readMovie(bytes);
        EXPECT_EQ(info.version, 8);
        EXPECT_EQ(info.widthPixels(), 301);
        EXPECT_EQ(info.heightPixels(), 199);
        ASSERT_FALSE(info.tags.empty());
        EXPECT_EQ(info.tags.front().code, 69) << "file attributes come first in version 8 movies";
        EXPECT_EQ(info.tags.back().code, 0);
        EXPECT_EQ(info.movie.size(), info.declaredLength);
    }
}

TEST(SwfFileReader, RefusesEveryTruncationAndWrongLength)
{
    for (const bool compressed : {false, true}) {
        const QByteArray bytes = smallMovie(compressed);
        for (qsizetype n = 0; n < bytes.size(); ++n)
            EXPECT_FALSE(reads(bytes.left(n))) << "cut at " << n << (compressed ? " (compressed)" : "");
        // A compressed stream carrying more than its header declares is as wrong as one carrying less.
        QByteArray shorter = bytes;
        shorter[4] = char(uint8_t(shorter[4]) - 1);
        EXPECT_FALSE(reads(shorter)) << (compressed ? "compressed" : "plain");
    }
}

TEST(SwfFileReader, RefusesForeignAndHostileHeaders)
{
    std::string error;
    EXPECT_FALSE(reads(QByteArray("%PDF-1.5\n%\xe2\xe3\n1 0 obj"), &error));
    EXPECT_NE(error.find("not an SWF"), std::string::npos);
    EXPECT_FALSE(reads(QByteArray("ZWS\x0d\x10\x00\x00\x00", 8) + QByteArray(64, 'x'), &error));
    EXPECT_NE(error.find("LZMA"), std::string::npos);
    // A tiny file declaring 4 GB must not make the reader allocate it.
    EXPECT_FALSE(reads(QByteArray("CWS\x08\xff\xff\xff\xff", 8) + smallMovie(true).mid(8), &error));
    QByteArray huge = smallMovie(true);
    huge[4] = char(0x00);
    huge[5] = char(0x00);
    huge[6] = char(0x00);
    huge[7] = char(0x0f); // 251 MB, under the limit: refused because the data ends early
    EXPECT_FALSE(reads(huge, &error));
    EXPECT_NE(error.find("shorter"), std::string::npos) << error;
    // A tag claiming to run past the end of the movie.
    QByteArray plain = smallMovie(false);
    const SwfInfo info = readMovie(plain);
    const SwfTag define = tagsWithCode(info, 32).at(0);
    ASSERT_EQ(uint8_t(plain[qsizetype(define.offset) - 6]) & 0x3f, 0x3f) << "a long tag header";
    for (int i = 1; i <= 4; ++i)
        plain[qsizetype(define.offset) - i] = char(0xff);
    EXPECT_FALSE(reads(plain, &error));
}

TEST(SwfFileReader, ReportsAMissingFile)
{
    SwfInfo info;
    std::string error;
    EXPECT_FALSE(SwfFileReader::readFile("/nonexistent/page.swf", info, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
}
