#include "cli/ProgressReporter.h"

#include <QByteArray>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// An import makes each page in four passes: page files, thumbnails, mobile
// images (unless left out), then the normal pages (which only list what the
// first pass made).
constexpr int kPasses = 4;
const char *const kPassNames[kPasses] = {"pages", "thumbnails", "mobile images", "finishing"};

int terminalWidth(std::FILE *stream)
{
    winsize size = {};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col >= 20)
        return size.ws_col;
    return 80;
}

} // namespace

ProgressReporter::ProgressReporter(Style style, std::FILE *stream) : m_style(style), m_stream(stream)
{
    m_sinceDraw.start();
}

ProgressReporter::Style ProgressReporter::styleFor(std::FILE *stream, bool quiet)
{
    if (quiet)
        return Style::Silent;
    const QByteArray term = qgetenv("TERM");
    return isatty(fileno(stream)) && term != "dumb" ? Style::Bar : Style::Lines;
}

QString ProgressReporter::prefix() const
{
    if (m_name.isEmpty())
        return QStringLiteral("foliant-cli");
    return m_count > 1 ? QStringLiteral("[%1/%2] %3").arg(m_number).arg(m_count).arg(m_name) : m_name;
}

void ProgressReporter::beginBook(int number, int count, const QString &name)
{
    clear();
    m_number = number;
    m_count = count;
    m_name = name;
    m_pass = 0;
    m_lastIndex = 0;
    m_total = 0;
    m_lastTenth = -1;
    m_step = QStringLiteral("starting");
    draw(true);
}

void ProgressReporter::importPage(int pageIndex, int totalPage)
{
    if (totalPage <= 0)
        return;
    const int passes = m_mobileImages ? kPasses : kPasses - 1;
    if (pageIndex <= m_lastIndex && m_pass < passes - 1)
        ++m_pass;
    m_lastIndex = pageIndex;
    m_total = totalPage;
    const char *name = kPassNames[m_mobileImages || m_pass < 2 ? m_pass : m_pass + 1];
    m_step = QString::fromLatin1(name);
    if (m_style == Style::Lines) {
        const int done = m_pass * totalPage + pageIndex;
        const int tenth = done * 10 / (passes * totalPage);
        if (tenth != m_lastTenth && tenth > 0) {
            m_lastTenth = tenth;
            std::fprintf(m_stream, "%s: %d%% (%s %d/%d)\n", qPrintable(prefix()), tenth * 10, name, pageIndex,
                         totalPage);
            std::fflush(m_stream);
        }
        return;
    }
    draw(pageIndex == totalPage);
}

void ProgressReporter::step(const QString &what)
{
    m_step = what;
    m_total = 0;
    if (m_style == Style::Lines) {
        std::fprintf(m_stream, "%s: %s\n", qPrintable(prefix()), qPrintable(what));
        std::fflush(m_stream);
        return;
    }
    draw(true);
}

void ProgressReporter::draw(bool force)
{
    if (m_style != Style::Bar)
        return;
    // Redrawing for every page of a fast import would cost more than the pages.
    if (!force && m_sinceDraw.elapsed() < 80)
        return;
    m_sinceDraw.restart();
    const int width = terminalWidth(m_stream);
    QString line = prefix() + QStringLiteral("  ") + m_step;
    if (m_total > 0) {
        const int done = m_pass * m_total + m_lastIndex;
        const int all = (m_mobileImages ? kPasses : kPasses - 1) * m_total;
        const QString count = QStringLiteral(" %1/%2").arg(m_lastIndex).arg(m_total);
        const int barWidth = qBound(10, width - int(line.size()) - int(count.size()) - 4, 40);
        const int filled = int(qint64(done) * barWidth / all);
        line += QStringLiteral(" [") + QString(filled, QLatin1Char('#')) +
                QString(barWidth - filled, QLatin1Char('-')) + QLatin1Char(']') + count;
    }
    if (line.size() > width - 1)
        line = line.left(width - 2) + QChar(0x2026);
    std::fprintf(m_stream, "\r\033[K%s", line.toLocal8Bit().constData());
    std::fflush(m_stream);
    m_barShown = true;
}

void ProgressReporter::clear()
{
    if (m_style == Style::Bar && m_barShown) {
        std::fprintf(m_stream, "\r\033[K");
        std::fflush(m_stream);
        m_barShown = false;
    }
}

void ProgressReporter::message(const QString &line)
{
    clear();
    std::fprintf(m_stream, "%s\n", line.toLocal8Bit().constData());
    std::fflush(m_stream);
}
