#pragma once

#include "publish/zip/ZKBytes.h"

#include <cstdint>
#include <string>

// The end-of-central-directory record that closes an archive.
class ZKCDTrailer
{
public:
    ZKCDTrailer();

    std::uint32_t magicNumber() const { return m_magicNumber; }
    void setMagicNumber(std::uint32_t v) { m_magicNumber = v; }
    std::uint32_t thisDiskNumber() const { return m_thisDiskNumber; }
    void setThisDiskNumber(std::uint32_t v) { m_thisDiskNumber = v; }
    std::uint32_t diskNumberWithStartOfCentralDirectory() const { return m_diskNumberWithStartOfCentralDirectory; }
    void setDiskNumberWithStartOfCentralDirectory(std::uint32_t v) { m_diskNumberWithStartOfCentralDirectory = v; }
    std::uint32_t numberOfCentralDirectoryEntriesOnThisDisk() const
    {
        return m_numberOfCentralDirectoryEntriesOnThisDisk;
    }
    void setNumberOfCentralDirectoryEntriesOnThisDisk(std::uint32_t v)
    {
        m_numberOfCentralDirectoryEntriesOnThisDisk = v;
    }
    std::uint32_t totalNumberOfCentralDirectoryEntries() const { return m_totalNumberOfCentralDirectoryEntries; }
    void setTotalNumberOfCentralDirectoryEntries(std::uint32_t v) { m_totalNumberOfCentralDirectoryEntries = v; }
    std::uint64_t sizeOfCentralDirectory() const { return m_sizeOfCentralDirectory; }
    void setSizeOfCentralDirectory(std::uint64_t v) { m_sizeOfCentralDirectory = v; }
    std::uint64_t offsetOfStartOfCentralDirectory() const { return m_offsetOfStartOfCentralDirectory; }
    void setOffsetOfStartOfCentralDirectory(std::uint64_t v) { m_offsetOfStartOfCentralDirectory = v; }
    std::uint32_t commentLength() const { return m_commentLength; }
    void setCommentLength(std::uint32_t v) { m_commentLength = v; }
    const std::string &comment() const { return m_comment; }
    void setComment(const std::string &utf8);

    ZKBytes data() const; // 22 bytes plus the comment
    std::uint64_t length() const { return 22 + m_comment.size(); }

private:
    std::uint32_t m_magicNumber = 0x06054b50;
    std::uint32_t m_thisDiskNumber = 0;
    std::uint32_t m_diskNumberWithStartOfCentralDirectory = 0;
    std::uint32_t m_numberOfCentralDirectoryEntriesOnThisDisk = 0;
    std::uint32_t m_totalNumberOfCentralDirectoryEntries = 0;
    std::uint64_t m_sizeOfCentralDirectory = 0;
    std::uint64_t m_offsetOfStartOfCentralDirectory = 0;
    std::uint32_t m_commentLength = 0;
    std::string m_comment;
};
