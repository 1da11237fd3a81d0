#include "publish/zip/ZKCDHeader.h"

using namespace ZKByteBuffer;

namespace {
constexpr std::uint64_t kMax32 = 0xFFFFFFFFull;
}

ZKCDHeader::ZKCDHeader() : m_lastModDate(ZKDateTime::now()) {}

void ZKCDHeader::setCompressedSize(std::uint64_t v)
{
    m_compressedSize = v;
    updateVersionNeeded();
}

void ZKCDHeader::setUncompressedSize(std::uint64_t v)
{
    m_uncompressedSize = v;
    updateVersionNeeded();
}

void ZKCDHeader::setLocalHeaderOffset(std::uint64_t v)
{
    m_localHeaderOffset = v;
    updateVersionNeeded();
}

void ZKCDHeader::updateVersionNeeded()
{
    const bool big = m_compressedSize >= kMax32 || m_uncompressedSize >= kMax32 || m_localHeaderOffset >= kMax32;
    m_versionNeededToExtract = big ? 45 : 20;
}

void ZKCDHeader::setFilename(const std::string &utf8)
{
    m_filename = utf8;
    if (m_filenameLength == 0)
        m_filenameLength = static_cast<std::uint32_t>(utf8.size());
}

void ZKCDHeader::setExtraField(const ZKBytes &v)
{
    m_extraField = v;
    if (m_extraFieldLength == 0)
        m_extraFieldLength = static_cast<std::uint32_t>(v.size());
}

void ZKCDHeader::setComment(const std::string &utf8)
{
    m_comment = utf8;
    if (m_commentLength == 0)
        m_commentLength = static_cast<std::uint32_t>(utf8.size());
}

const ZKBytes &ZKCDHeader::data() const
{
    if (!m_cachedData.empty())
        return m_cachedData;
    // Only the values that overflow go into the ZIP64 field, in this order.
    ZKBytes zip64;
    if (m_uncompressedSize >= kMax32)
        appendUInt64(zip64, m_uncompressedSize);
    if (m_compressedSize >= kMax32)
        appendUInt64(zip64, m_compressedSize);
    if (m_localHeaderOffset >= kMax32)
        appendUInt64(zip64, m_localHeaderOffset);
    ZKBytes extra = m_extraField;
    if (!zip64.empty()) {
        appendUInt16(extra, 1);
        appendUInt16(extra, static_cast<std::uint16_t>(zip64.size()));
        appendBytes(extra, zip64);
    }
    ZKBytes &out = m_cachedData;
    out.reserve(46 + m_filename.size() + extra.size() + m_comment.size());
    appendUInt32(out, m_magicNumber);
    appendUInt16(out, static_cast<std::uint16_t>(m_versionMadeBy));
    appendUInt16(out, static_cast<std::uint16_t>(m_versionNeededToExtract));
    appendUInt16(out, static_cast<std::uint16_t>(m_generalPurposeBitFlag));
    appendUInt16(out, static_cast<std::uint16_t>(m_compressionMethod));
    appendUInt16(out, m_lastModDate.dosTime());
    appendUInt16(out, m_lastModDate.dosDate());
    appendUInt32(out, m_crc);
    appendUInt32(out, static_cast<std::uint32_t>(m_compressedSize >= kMax32 ? kMax32 : m_compressedSize));
    appendUInt32(out, static_cast<std::uint32_t>(m_uncompressedSize >= kMax32 ? kMax32 : m_uncompressedSize));
    appendUInt16(out, static_cast<std::uint16_t>(m_filename.size()));
    appendUInt16(out, static_cast<std::uint16_t>(extra.size()));
    appendUInt16(out, static_cast<std::uint16_t>(m_comment.size()));
    appendUInt16(out, static_cast<std::uint16_t>(m_diskNumberStart));
    appendUInt16(out, static_cast<std::uint16_t>(m_internalFileAttributes));
    appendUInt32(out, m_externalFileAttributes);
    appendUInt32(out, static_cast<std::uint32_t>(m_localHeaderOffset >= kMax32 ? kMax32 : m_localHeaderOffset));
    appendString(out, m_filename);
    appendBytes(out, extra);
    appendString(out, m_comment);
    return out;
}
