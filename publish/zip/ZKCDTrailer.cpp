#include "publish/zip/ZKCDTrailer.h"

using namespace ZKByteBuffer;

ZKCDTrailer::ZKCDTrailer()
{
    setComment("Archive created with ZipKit");
}

void ZKCDTrailer::setComment(const std::string &utf8)
{
    m_comment = utf8;
    if (m_commentLength == 0)
        m_commentLength = static_cast<std::uint32_t>(utf8.size());
}

ZKBytes ZKCDTrailer::data() const
{
    ZKBytes out;
    out.reserve(length());
    appendUInt32(out, m_magicNumber);
    appendUInt16(out, static_cast<std::uint16_t>(m_thisDiskNumber));
    appendUInt16(out, static_cast<std::uint16_t>(m_diskNumberWithStartOfCentralDirectory));
    appendUInt16(out, static_cast<std::uint16_t>(m_numberOfCentralDirectoryEntriesOnThisDisk));
    appendUInt16(out, static_cast<std::uint16_t>(m_totalNumberOfCentralDirectoryEntries));
    appendUInt32(out, static_cast<std::uint32_t>(m_sizeOfCentralDirectory));
    appendUInt32(out, static_cast<std::uint32_t>(m_offsetOfStartOfCentralDirectory));
    appendUInt16(out, static_cast<std::uint16_t>(m_comment.size()));
    appendString(out, m_comment);
    return out;
}
