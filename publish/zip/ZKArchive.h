#pragma once

#include "publish/zip/ZKCDHeader.h"
#include "publish/zip/ZKCDTrailer.h"

#include <memory>
#include <vector>

// What every archive keeps: its central directory and the record that ends it.
class ZKArchive
{
public:
    ZKArchive() = default;
    virtual ~ZKArchive() = default;

    const std::vector<std::shared_ptr<ZKCDHeader>> &centralDirectory() const { return m_centralDirectory; }
    const ZKCDTrailer &cdTrailer() const { return m_cdTrailer; }

protected:
    std::vector<std::shared_ptr<ZKCDHeader>> m_centralDirectory;
    ZKCDTrailer m_cdTrailer;
};
