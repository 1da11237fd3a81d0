#include "publish/HTMLConfigInfo.h"

#include "platform/Logging.h"
#include "publish/BookFiles.h"
#include "publish/TextTemplate.h"

#include <QFile>

namespace {
const auto logger = Logging::logger("HTMLConfigInfo");
}

bool HTMLConfigInfo::generateHTMLFrom(const QString &templatePage, const QString &toFile,
                                      const QString &headLines) const
{
    QFile in(templatePage);
    if (templatePage.isEmpty() || !in.open(QIODevice::ReadOnly)) {
        LOG4CXX_WARN(logger, "cannot read the HTML page " << templatePage << "; no page written");
        return false;
    }
    TextTemplate page(QString::fromUtf8(in.readAll()));
    page.setItem(QStringLiteral("index.title"), m_HTMLTitle);
    page.setItem(QStringLiteral("meta.keywords"), m_HTMLKeywords);
    page.setItem(QStringLiteral("meta.description"), m_HTMLDescription);

    QString text = page.parse();
    const qsizetype headEnd = text.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    if (headEnd >= 0)
        text.insert(headEnd, headLines);
    if (!BookFiles::writeAtomically(toFile, text.toUtf8())) {
        LOG4CXX_WARN(logger, "cannot write the HTML page " << toFile);
        return false;
    }
    return true;
}
