#pragma once

#include <QLocale>
#include <QString>

// Puts the application's texts into the user's language: loads the
// translation for `locale` from the resources' translations folder, plus Qt's
// own texts (standard buttons and dialogs) where the system has them.
// Returns the language loaded ("de", "fr", ...), or the empty text when the
// application stays in English.
class Translations
{
public:
    static QString install(const QLocale &locale = QLocale());
};
