#include "SwfTestSupport.h"

#include <gtest/gtest.h>

SwfInfo readMovie(const QByteArray &bytes)
{
    SwfInfo info;
    std::string error;
    EXPECT_TRUE(
        SwfFileReader::read(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), info, error))
        << error;
    return info;
}

std::vector<SwfTag> tagsWithCode(const SwfInfo &info, int code)
{
    std::vector<SwfTag> out;
    for (const SwfTag &t : info.tags) {
        if (t.code == code)
            out.push_back(t);
    }
    return out;
}
