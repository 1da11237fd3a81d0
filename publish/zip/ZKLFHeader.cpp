#include "publish/zip/ZKLFHeader.h"

using namespace ZKByteBuffer;

namespace {
constexpr std::uint64_t kMax32 = 0xFFFFFFFFull;
}

ZKLFHeader::ZKLFHeader() : m_lastModDate(ZKDateTime::now()) {}

void ZKLFHeader::setCompressedSize(std::uint64_t v)
{
    m_compressedSize = v;
    updateVersionNeeded();
}

void ZKLFHeader::setUncompressedSize(std::uint64_t v)
{
    m_uncompressedSize = v;
    updateVersionNeeded();
}

void ZKLFHeader::updateVersionNeeded()
{
    m_versionNeededToExtract = (m_compressedSize >= kMax32 || m_uncompressedSize >= kMax32) ? 45 : 20;
}

void ZKLFHeader::setFilename(const std::string &utf8)
{
    m_filename = utf8;
    if (m_filenameLength == 0)
        m_filenameLength = static_cast<std::uint32_t>(utf8.size());
}

void ZKLFHeader::setExtraField(const ZKBytes &v)
{
    m_extraField = v;
    if (m_extraFieldLength == 0)
        m_extraFieldLength = static_cast<std::uint32_t>(v.size());
}

ZKBytes ZKLFHeader::data() const
{
    ZKBytes extra = m_extraField;
    const bool zip64 = m_compressedSize >= kMax32 || m_uncompressedSize >= kMax32;
    if (zip64) {
        appendUInt16(extra, 1);
        appendUInt16(extra, 16);
        appendUInt64(extra, m_uncompressedSize);
        appendUInt64(extra, m_compressedSize);
    }
    ZKBytes out;
    out.reserve(30 + m_filename.size() + extra.size());
    appendUInt32(out, m_magicNumber);
    appendUInt16(out, static_cast<std::uint16_t>(m_versionNeededToExtract));
    appendUInt16(out, static_cast<std::uint16_t>(m_generalPurposeBitFlag));
    appendUInt16(out, static_cast<std::uint16_t>(m_compressionMethod));
    appendUInt16(out, m_lastModDate.dosTime());
    appendUInt16(out, m_lastModDate.dosDate());
    appendUInt32(out, m_crc);
    appendUInt32(out, static_cast<std::uint32_t>(zip64 ? kMax32 : m_compressedSize));
    appendUInt32(out, static_cast<std::uint32_t>(zip64 ? kMax32 : m_uncompressedSize));
    appendUInt16(out, static_cast<std::uint16_t>(m_filename.size()));
    appendUInt16(out, static_cast<std::uint16_t>(extra.size()));
    appendString(out, m_filename);
    appendBytes(out, extra);
    return out;
}
