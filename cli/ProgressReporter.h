#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

// Tells the person running the tool how far it is. On a terminal one line is
// redrawn as a bar; into a pipe or a file come plain lines, a few per book,
// that read well in a log. Everything goes to standard error, so standard
// output keeps only the paths of the published books.
class ProgressReporter
{
public:
    enum class Style { Bar, Lines, Silent };

    explicit ProgressReporter(Style style, std::FILE *stream = stderr);
    // Bar on a terminal, lines otherwise.
    static Style styleFor(std::FILE *stream, bool quiet);

    // A new book: `number` of `count`, named `name`.
    void beginBook(int number, int count, const QString &name);
    // One page of an import pass; a pass restarts its count at 1.
    void importPage(int pageIndex, int totalPage);
    // Whether the imports make mobile images, a pass of their own.
    void setMobileImages(bool on) { m_mobileImages = on; }
    // A step without pages ("publishing").
    void step(const QString &what);
    // Clears the bar before a line of text is printed.
    void clear();
    // A line that must be seen whatever the style (warnings, failures).
    void message(const QString &line);

private:
    void draw(bool force);
    QString prefix() const;

    Style m_style;
    std::FILE *m_stream;
    int m_number = 0;
    int m_count = 0;
    QString m_name;
    QString m_step;
    int m_pass = 0;
    bool m_mobileImages = true;
    int m_lastIndex = 0;
    int m_total = 0;
    int m_lastTenth = -1;
    bool m_barShown = false;
    QElapsedTimer m_sinceDraw;
};
