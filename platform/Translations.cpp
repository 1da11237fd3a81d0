#include "platform/Translations.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

QString Translations::install(const QLocale &locale)
{
    auto *app = QCoreApplication::instance();
    if (!app)
        return {};
    // English is the source language: nothing to load, not even Qt's texts.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return {};
    auto *own = new QTranslator(app);
    if (!own->load(locale, QStringLiteral("foliant"), QStringLiteral("_"),
                   Paths::resource(QStringLiteral("translations")))) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    auto *qt = new QTranslator(app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return QFileInfo(own->filePath()).completeBaseName().section(QLatin1Char('_'), 1);
}
