#include "publish/zip/ZKDataArchive.h"

#include "publish/zip/ZKLFHeader.h"

using namespace ZKByteBuffer;

int ZKDataArchive::deflateData(const ZKBytes &bytes, const std::string &filename, const ZKFileAttributes *attributes)
{
    if (filename.empty())
        return -1;
    const ZKBytes compressed = deflate(bytes);
    if (compressed.empty())
        return -1;

    const std::uint64_t offset = m_cdTrailer.offsetOfStartOfCentralDirectory();
    // The end record holds 32-bit offsets and 16-bit counts; refuse rather than
    // write an archive that readers would misread.
    constexpr std::uint64_t kMax32 = 0xFFFFFFFFull;
    if (bytes.size() >= kMax32 || offset + 30 + filename.size() + compressed.size() >= kMax32 ||
        m_centralDirectory.size() >= 0xFFFF)
        return -1;

    // One clock reading for both headers, so they can never disagree.
    const ZKDateTime stamp = attributes && attributes->modificationDate ? *attributes->modificationDate
                             : m_clock                                  ? m_clock()
                                                                        : ZKDateTime::now();

    m_data.resize(offset);

    ZKLFHeader local;
    local.setLastModDate(stamp);
    local.setUncompressedSize(bytes.size());
    local.setFilename(filename);
    local.setCrc(crc32(bytes));
    local.setCompressedSize(compressed.size());

    auto central = std::make_shared<ZKCDHeader>();
    central->setLastModDate(stamp);
    central->setUncompressedSize(local.uncompressedSize());
    central->setCrc(local.crc());
    central->setCompressedSize(local.compressedSize());
    central->setFilename(local.filename());
    central->setFilenameLength(local.filenameLength());
    central->setLocalHeaderOffset(offset);
    central->setCompressionMethod(local.compressionMethod());
    central->setGeneralPurposeBitFlag(local.generalPurposeBitFlag());
    central->setVersionNeededToExtract(local.versionNeededToExtract());
    if (attributes && attributes->posixPermissions)
        central->setExternalFileAttributes((0100000u | (*attributes->posixPermissions & 07777u)) << 16);

    m_centralDirectory.push_back(central);
    m_cdTrailer.setNumberOfCentralDirectoryEntriesOnThisDisk(m_cdTrailer.numberOfCentralDirectoryEntriesOnThisDisk() +
                                                             1);
    m_cdTrailer.setTotalNumberOfCentralDirectoryEntries(m_cdTrailer.totalNumberOfCentralDirectoryEntries() + 1);
    m_cdTrailer.setSizeOfCentralDirectory(m_cdTrailer.sizeOfCentralDirectory() + central->length());

    appendBytes(m_data, local.data());
    appendBytes(m_data, compressed);
    m_cdTrailer.setOffsetOfStartOfCentralDirectory(m_data.size());

    for (const auto &header : m_centralDirectory)
        appendBytes(m_data, header->data());
    appendBytes(m_data, m_cdTrailer.data());
    return 1;
}
