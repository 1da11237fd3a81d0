#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <functional>
#include <memory>

// A GUI application object for the whole test program: page rendering and
// queued results need one. Created on first use, offscreen under CTest.
inline QCoreApplication &testApp()
{
    static int argc = 1;
    static char name[] = "test_app";
    static char *argv[] = {name, nullptr};
    static std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return *QCoreApplication::instance();
}

// Turns the event loop until `done` holds or `timeoutMs` passed; true when it held.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Writes a small, valid PDF of `pages` pages with the given media box and,
// when cropWidth > 0, a crop box at the origin of that size. Each page shows
// its number in large type.
inline void writeTestPdf(const QString &path, int pages, double width = 595, double height = 842, double cropWidth = 0,
                         double cropHeight = 0)
{
    QList<QByteArray> objects;
    auto num = [](double v) { return QByteArray::number(v, 'f', 1); };
    QByteArray kids;
    const int firstPage = 4; // 1 catalog, 2 pages, 3 font
    for (int i = 0; i < pages; ++i)
        kids += QByteArray::number(firstPage + 2 * i) + " 0 R ";
    objects << "<< /Type /Catalog /Pages 2 0 R >>";
    objects << "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>";
    objects << "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    for (int i = 0; i < pages; ++i) {
        QByteArray page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + num(width) + " " + num(height) + "]";
        if (cropWidth > 0)
            page += " /CropBox [0 0 " + num(cropWidth) + " " + num(cropHeight) + "]";
        page += " /Resources << /Font << /F1 3 0 R >> >> /Contents " + QByteArray::number(firstPage + 2 * i + 1) +
                " 0 R >>";
        const QByteArray content = "0.2 0.4 0.8 rg 40 40 200 120 re f BT /F1 96 Tf 0 0 0 rg 120 " + num(height / 2) +
                                   " Td (" + QByteArray::number(i + 1) + ") Tj ET";
        objects << page;
        objects << "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream";
    }
    QByteArray out = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << out.size();
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype o : offsets)
        out += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(out);
}
