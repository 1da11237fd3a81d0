#pragma once

#include "publish/zip/ZKBytes.h"

#include <cstdint>
#include <string>

// One entry's record in the central directory at the end of an archive.
class ZKCDHeader
{
public:
    ZKCDHeader(); // stamped with the system clock's current moment

    std::uint32_t magicNumber() const { return m_magicNumber; }
    void setMagicNumber(std::uint32_t v) { m_magicNumber = v; }
    std::uint32_t versionMadeBy() const { return m_versionMadeBy; }
    void setVersionMadeBy(std::uint32_t v) { m_versionMadeBy = v; }
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
    std::uint32_t commentLength() const { return m_commentLength; }
    void setCommentLength(std::uint32_t v) { m_commentLength = v; }
    std::uint32_t diskNumberStart() const { return m_diskNumberStart; }
    void setDiskNumberStart(std::uint32_t v) { m_diskNumberStart = v; }
    std::uint32_t internalFileAttributes() const { return m_internalFileAttributes; }
    void setInternalFileAttributes(std::uint32_t v) { m_internalFileAttributes = v; }
    std::uint32_t externalFileAttributes() const { return m_externalFileAttributes; }
    void setExternalFileAttributes(std::uint32_t v) { m_externalFileAttributes = v; }
    std::uint64_t localHeaderOffset() const { return m_localHeaderOffset; }
    void setLocalHeaderOffset(std::uint64_t v);
    const std::string &filename() const { return m_filename; }
    void setFilename(const std::string &utf8);
    const ZKBytes &extraField() const { return m_extraField; }
    void setExtraField(const ZKBytes &v);
    const std::string &comment() const { return m_comment; }
    void setComment(const std::string &utf8);

    // 46 bytes plus name, extra field and comment. Serialised once: later calls
    // return the cached bytes, as the directory is rewritten after every entry.
    const ZKBytes &data() const;
    std::uint64_t length() const { return 46 + m_filenameLength + m_commentLength + m_extraFieldLength; }

private:
    void updateVersionNeeded();

    std::uint32_t m_magicNumber = 0x02014b50;
    std::uint32_t m_versionMadeBy = 789;
    std::uint32_t m_versionNeededToExtract = 20;
    std::uint32_t m_generalPurposeBitFlag = 0;
    std::uint32_t m_compressionMethod = 8;
    ZKDateTime m_lastModDate;
    std::uint32_t m_crc = 0;
    std::uint64_t m_compressedSize = 0;
    std::uint64_t m_uncompressedSize = 0;
    std::uint32_t m_filenameLength = 0;
    std::uint32_t m_extraFieldLength = 0;
    std::uint32_t m_commentLength = 0;
    std::uint32_t m_diskNumberStart = 0;
    std::uint32_t m_internalFileAttributes = 0;
    std::uint32_t m_externalFileAttributes = 0;
    std::uint64_t m_localHeaderOffset = 0;
    std::string m_filename;
    ZKBytes m_extraField;
    std::string m_comment;
    mutable ZKBytes m_cachedData;
};
