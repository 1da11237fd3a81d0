#pragma once

#include "book/FlashPageSource.h"
#include "templates/FlashTemplate.h"

#include <QString>

// Writes the HTML5 edition of a book for mobile browsers beside the published
// book: the mobile page images into files/mobile and the chosen player into
// mobile/ ("Flip", configured through mobile/javascript/main.js, or "Slide",
// configured through two placeholders of mobile/index.html).
class OutputMobileVersion
{
public:
    OutputMobileVersion(FlashPageSourcePtr pageSource, FlashTemplatePtr flashTemplate, const QString &saveFolder,
                        int mobileType);

    const FlashTemplatePtr &flashTemplate() const { return m_flashTemplate; }
    void setFlashTemplate(const FlashTemplatePtr &v) { m_flashTemplate = v; }
    const FlashPageSourcePtr &flashPageSource() const { return m_flashPageSource; }
    void setFlashPageSource(const FlashPageSourcePtr &v) { m_flashPageSource = v; }
    const QString &SaveFolder() const { return m_SaveFolder; }
    void setSaveFolder(const QString &v) { m_SaveFolder = v; }
    int mobileType() const { return m_mobileType; }
    void setMobileType(int v) { m_mobileType = v; }

    void PublishMobileConfig();
    // True when the book has mobile page images (and they were given to copy).
    bool CopytoMobileDir();
    void PublishFlipMobileConfig();
    void CreateSingleSlideMobile();
    void generateMobileHtmlFrom(const QString &source, const QString &destination) const;

    // The "Flip" player's configuration script text.
    QString flipConfigText() const;
    // The "Slide" player's options object: page size, page count and folders,
    // then the look and automatic turning the "Flip" player also gets.
    QString slideOptionsText() const;

    static QString GetMobileConfig(const QString &text, const QString &key, const QString &value);
    // In double quotes, with what would end or break a script string escaped.
    static QString AddDouble(const QString &text);
    static QString recplaceColor(const QString &text);
    static QString GetPreviewJSText(const QString &path);

private:
    QString logoUrl() const;
    QString backgroundUrl() const;
    QString rightToLeft() const;
    QString slideTitle() const;
    // Colours, background, reading direction and automatic turning, in the
    // order the "Flip" configuration lists them.
    QList<QPair<QString, QString>> lookEntries() const;
    QString property(const QString &key, const QString &defaultValue) const;
    // A value the script takes as a bare number; anything else gives `fallback`,
    // since it would otherwise run as script code.
    QString number(const QString &key, const QString &fallback) const;

    FlashTemplatePtr m_flashTemplate;
    FlashPageSourcePtr m_flashPageSource;
    QString m_SaveFolder;
    int m_mobileType = 0;
};
