#pragma once

#include "publish/zip/ZKArchive.h"
#include "publish/zip/ZKBytes.h"

#include <functional>
#include <optional>
#include <string>

// Optional attributes of an added entry. The application adds none.
struct ZKFileAttributes
{
    std::optional<ZKDateTime> modificationDate;
    std::optional<std::uint32_t> posixPermissions; // e.g. 0644
};

// A ZIP archive built in memory, one deflated entry at a time. After every
// successful addition data() is a complete archive.
class ZKDataArchive : public ZKArchive
{
public:
    ZKDataArchive() = default;

    // 1 when the entry was added; -1, with the archive unchanged, for an empty
    // name, failed compression, or an entry too large for a plain (non-ZIP64)
    // archive. `filename` is UTF-8, already precomposed.
    int deflateData(const ZKBytes &bytes, const std::string &filename, const ZKFileAttributes *attributes = nullptr);

    const ZKBytes &data() const { return m_data; }

    // Where the headers' time stamps come from; the system clock unless set.
    void setClock(std::function<ZKDateTime()> clock) { m_clock = std::move(clock); }

private:
    ZKBytes m_data;
    std::function<ZKDateTime()> m_clock;
};
