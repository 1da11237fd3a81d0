#include "app/ProjectArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zlib.h>

namespace {
constexpr quint32 kLocalSig = 0x04034b50;
constexpr quint32 kCentralSig = 0x02014b50;
constexpr quint32 kEndSig = 0x06054b50;
constexpr quint16 kUtf8Names = 0x0800;
// 1 January 1980, 00:00: the same bytes for the same project every time.
constexpr quint16 kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr qint64 kLimit = 0xffffffffLL;

void put16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xff)).append(char(v >> 8));
}
void put32(QByteArray &b, quint32 v)
{
    put16(b, quint16(v & 0xffff));
    put16(b, quint16(v >> 16));
}
quint16 get16(const uchar *p)
{
    return quint16(p[0] | (p[1] << 8));
}
quint32 get32(const uchar *p)
{
    return quint32(get16(p)) | (quint32(get16(p + 2)) << 16);
}
quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

// The fixed part of a local or central header after its signature.
void putCommon(QByteArray &b, quint32 crc, quint32 size, quint16 nameLength)
{
    put16(b, 20);         // version needed: stored entries
    put16(b, kUtf8Names); // flags
    put16(b, 0);          // method: stored
    put16(b, 0);          // time
    put16(b, kDosDate);
    put32(b, crc);
    put32(b, size); // compressed size
    put32(b, size); // uncompressed size
    put16(b, nameLength);
    put16(b, 0); // extra field length
}
} // namespace

bool ProjectArchive::isSafeName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')) || name.contains(QChar(0)))
        return false;
    for (const QString &part : name.split(QLatin1Char('/')))
        if (part.isEmpty() || part == QStringLiteral(".") || part == QStringLiteral(".."))
            return false;
    return true;
}

bool ProjectArchive::write(const QString &path, const QList<Entry> &entries, QString *error)
{
    QSaveFile out(path);
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        out.cancelWriting();
        return false;
    };
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, out.errorString()));
    QByteArray central;
    qint64 offset = 0;
    for (const Entry &entry : entries) {
        QByteArray data = entry.bytes;
        if (!entry.file.isEmpty()) {
            QFile in(entry.file);
            if (!in.open(QIODevice::ReadOnly))
                return fail(QStringLiteral("Cannot read %1: %2").arg(entry.file, in.errorString()));
            data = in.readAll();
            if (in.error() != QFileDevice::NoError)
                return fail(QStringLiteral("Cannot read %1: %2").arg(entry.file, in.errorString()));
        }
        const QByteArray name = entry.name.toUtf8();
        if (!isSafeName(entry.name) || name.size() > 0xffff || data.size() >= kLimit || offset >= kLimit)
            return fail(QStringLiteral("Cannot write %1: the project is too large or holds an unusable name (%2).")
                            .arg(path, entry.name));
        const quint32 crc = crcOf(data);
        QByteArray header;
        put32(header, kLocalSig);
        putCommon(header, crc, quint32(data.size()), quint16(name.size()));
        header.append(name);
        put32(central, kCentralSig);
        put16(central, 20); // made by
        putCommon(central, crc, quint32(data.size()), quint16(name.size()));
        put16(central, 0); // comment length
        put16(central, 0); // disk
        put16(central, 0); // internal attributes
        put32(central, 0); // external attributes
        put32(central, quint32(offset));
        central.append(name);
        if (out.write(header) != header.size() || out.write(data) != data.size())
            return fail(QStringLiteral("Cannot write %1: %2").arg(path, out.errorString()));
        offset += header.size() + data.size();
    }
    if (entries.size() > 0xffff || offset >= kLimit)
        return fail(QStringLiteral("Cannot write %1: the project is too large.").arg(path));
    QByteArray end;
    put32(end, kEndSig);
    put16(end, 0);
    put16(end, 0);
    put16(end, quint16(entries.size()));
    put16(end, quint16(entries.size()));
    put32(end, quint32(central.size()));
    put32(end, quint32(offset));
    put16(end, 0);
    if (out.write(central) != central.size() || out.write(end) != end.size())
        return fail(QStringLiteral("Cannot write %1: %2").arg(path, out.errorString()));
    if (!out.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, out.errorString());
        return false;
    }
    return true;
}

bool ProjectArchive::extract(const QString &path, const QString &folder, QStringList *names, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot read %1: %2").arg(path, in.errorString()));
    // A project is read whole: it holds the book's pages, which are opened
    // anyway, and checking everything first keeps a damaged file from
    // leaving half a book behind.
    const QByteArray all = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return fail(QStringLiteral("Cannot read %1: %2").arg(path, in.errorString()));
    const QString damaged = QStringLiteral("%1 is not a Foliant project, or it is damaged.").arg(path);
    const auto *bytes = reinterpret_cast<const uchar *>(all.constData());
    const qint64 size = all.size();
    qint64 endAt = -1;
    for (qint64 at = size - 22; at >= 0 && at >= size - 22 - 0xffff; --at)
        if (get32(bytes + at) == kEndSig) {
            endAt = at;
            break;
        }
    if (endAt < 0)
        return fail(damaged);
    const quint16 count = get16(bytes + endAt + 10);
    const qint64 centralSize = get32(bytes + endAt + 12);
    qint64 at = get32(bytes + endAt + 16);
    if (at + centralSize > endAt)
        return fail(damaged);
    struct Found
    {
        QString name;
        qint64 offset;
        qint64 length;
    };
    QList<Found> found;
    for (int i = 0; i < count; ++i) {
        if (at + 46 > endAt || get32(bytes + at) != kCentralSig)
            return fail(damaged);
        const quint16 method = get16(bytes + at + 10);
        const quint32 crc = get32(bytes + at + 16);
        const qint64 stored = get32(bytes + at + 20);
        const qint64 length = get32(bytes + at + 24);
        const int nameLength = get16(bytes + at + 28);
        const int skip = get16(bytes + at + 30) + get16(bytes + at + 32);
        const qint64 local = get32(bytes + at + 42);
        if (at + 46 + nameLength > endAt)
            return fail(damaged);
        const QString name = QString::fromUtf8(all.mid(at + 46, nameLength));
        at += 46 + nameLength + skip;
        if (method != 0 || stored != length || !isSafeName(name) || local + 30 > size ||
            get32(bytes + local) != kLocalSig)
            return fail(damaged);
        const qint64 data = local + 30 + get16(bytes + local + 26) + get16(bytes + local + 28);
        if (data + length > size || crcOf(all.mid(data, length)) != crc)
            return fail(damaged);
        found.append({name, data, length});
    }
    for (const Found &entry : found) {
        const QString target = QDir(folder).filePath(entry.name);
        QDir().mkpath(QFileInfo(target).path());
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(all.constData() + entry.offset, entry.length) != entry.length || !out.flush())
            return fail(QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
        if (names)
            names->append(entry.name);
    }
    return true;
}
