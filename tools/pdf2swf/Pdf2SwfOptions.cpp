#include "Pdf2SwfOptions.h"

#include <QRegularExpression>

namespace {

bool applySetting(Pdf2SwfOptions &options, const QString &setting, QString &error)
{
    const qsizetype eq = setting.indexOf(u'=');
    const QString key = (eq < 0 ? setting : setting.left(eq)).trimmed();
    const QString value = eq < 0 ? QString() : setting.mid(eq + 1).trimmed();
    bool ok = true;
    if (key == u"jpegquality") {
        const int q = value.toInt(&ok);
        if (!ok || q < 0 || q > 100) {
            error = QStringLiteral("invalid jpegquality \"%1\": expected 0 to 100").arg(value);
            return false;
        }
        options.jpegQuality = std::max(q, 1);
    } else if (key == u"zoom") {
        const double z = value.toDouble(&ok);
        if (!ok || z <= 0 || z > 2400) {
            error = QStringLiteral("invalid zoom \"%1\": expected a resolution above 0 and up to 2400").arg(value);
            return false;
        }
        options.zoom = z;
    } else if (key == u"compress") {
        options.compress = value.isEmpty() || value != u"0";
    }
    // Other settings (flashversion, disablelinks, ...) do not change a one-page
    // vector file written for version 8.
    return true;
}

bool applyPages(Pdf2SwfOptions &options, const QString &range, QString &error)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d+)\\s*(?:-\\s*(\\d+))?\\s*$"));
    const auto m = re.match(range);
    if (!m.hasMatch()) {
        error = QStringLiteral("invalid page range \"%1\": expected N or N-N").arg(range);
        return false;
    }
    bool ok1 = false, ok2 = true;
    const int first = m.captured(1).toInt(&ok1);
    const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt(&ok2);
    if (!ok1 || !ok2 || first < 1 || last != first) {
        error = QStringLiteral("invalid page range \"%1\": one page is written per file (N or N-N, from 1)").arg(range);
        return false;
    }
    options.page = first;
    return true;
}

} // namespace

std::optional<Pdf2SwfOptions> Pdf2SwfOptions::parse(const QStringList &args, QString &error)
{
    Pdf2SwfOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        // An option's value may be glued to it ("-o/x.swf", "-p 3-3") or follow it.
        auto value = [&](QString &out) {
            QString rest = arg.mid(2);
            if (rest.startsWith(u' '))
                rest = rest.mid(1);
            if (!rest.isEmpty()) {
                out = rest;
                return true;
            }
            if (i + 1 < args.size()) {
                out = args[++i];
                return true;
            }
            error = QStringLiteral("option %1 needs a value").arg(arg.left(2));
            return false;
        };
        QString v;
        if (arg.startsWith(u"-o")) {
            if (!value(v))
                return std::nullopt;
            options.output = v;
        } else if (arg.startsWith(u"-p")) {
            if (!value(v) || !applyPages(options, v, error))
                return std::nullopt;
        } else if (arg.startsWith(u"-s")) {
            if (!value(v) || !applySetting(options, v, error))
                return std::nullopt;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            continue; // -t, -G, -q, -qq and the like
        } else if (options.input.isEmpty()) {
            options.input = arg;
        } else {
            error = QStringLiteral("more than one input file: \"%1\" and \"%2\"").arg(options.input, arg);
            return std::nullopt;
        }
    }
    if (options.input.isEmpty()) {
        error = QStringLiteral("no input PDF given");
        return std::nullopt;
    }
    if (options.output.isEmpty()) {
        error = QStringLiteral("no output file given (-o<path>)");
        return std::nullopt;
    }
    return options;
}
