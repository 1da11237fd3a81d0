#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line of pdf2swf: the PDF, "-o<out>", "-p N-N" and "-s key=value"
// settings; flags that change nothing for a single vector page are accepted.
struct Pdf2SwfOptions
{
    QString input;
    QString output;
    int page = 1;
    int jpegQuality = 85;
    double zoom = 72.0;
    bool compress = true;

    // Empty with `error` set when the arguments cannot be used.
    static std::optional<Pdf2SwfOptions> parse(const QStringList &args, QString &error);
};
