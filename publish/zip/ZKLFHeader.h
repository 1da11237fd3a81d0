#pragma once

#include "publish/zip/ZKBytes.h"

#include <cstdint>
#include <string>

// The local file header that precedes an entry's data in an archive.
class ZKLFHeader
{
public:
    ZKLFHeader(); // stamped with the system clock's current moment

    std::uint32_t magicNumber() const { return m_magicNumber; }
    void setMagicNumber(std::uint32_t v) { m_magicNumber = v; }
    std::uint32_t versionNeededToExtract() const { return m_versionNeededToExtract; }
    void setVersionNeededToExtract(std::uint32_t v) { m_versionNeededToExtract = v; }
    std::uint32_t generalPurposeBitFlag() const { return m_generalPurposeBitFlag; }
    void setGeneralPurposeBitFlag(std::uint32_t v) { m_generalPurposeBitFlag = v; }
    std::uint32_t compressionMethod() const { return m_compressionMethod; }
    void setCompressionMethod(std::uint32_t v) { m_compressionMethod = v; }
    const ZKDateTime &lastModDate() const { return m_lastModDate; }
    void setLastModDate(const ZKDateTime &v) { m_lastModDate = v; }
    std::uint32_t crc() const { return m_crc; }
    void setCrc(std::uint32_t v) { m_crc = v; }
    std::uint64_t compressedSize() const { return m_compressedSize; }
    void setCompressedSize(std::uint64_t v);
    std::uint64_t uncompressedSize() const { return m_uncompressedSize; }
    void setUncompressedSize(std::uint64_t v);
    std::uint32_t filenameLength() const { return m_filenameLength; }
    void setFilenameLength(std::uint32_t v) { m_filenameLength = v; }
    std::uint32_t extraFieldLength() const { return m_extraFieldLength; }
    void setExtraFieldLength(std::uint32_t v) { m_extraFieldLength = v; }
    const std::string &filename() const { return m_filename; }
    void setFilename(const std::string &utf8);
    const ZKBytes &extraField() const { return m_extraField; }
    void setExtraField(const ZKBytes &v);

    // 30 bytes plus name and extra field; sizes of 4 GiB or more go into a
    // ZIP64 extra field.
    ZKBytes data() const;
    std::uint64_t length() const { return data().size(); }

private:
    void updateVersionNeeded();

    std::uint32_t m_magicNumber = 0x04034b50;
    std::uint32_t m_versionNeededToExtract = 20;
    std::uint32_t m_generalPurposeBitFlag = 0;
    std::uint32_t m_compressionMethod = 8;
    ZKDateTime m_lastModDate;
    std::uint32_t m_crc = 0;
    std::uint64_t m_compressedSize = 0;
    std::uint64_t m_uncompressedSize = 0;
    std::uint32_t m_filenameLength = 0;
    std::uint32_t m_extraFieldLength = 0;
    std::string m_filename;
    ZKBytes m_extraField;
};
