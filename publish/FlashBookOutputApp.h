#pragma once

#include "publish/FlashBookOutput.h"

// Publishes a book as a stand-alone desktop application bundle: a copy of the
// prebuilt player application (AppFiles/TmplData/mac.app/Contents) with the
// web book assembled into its Contents/Resources.
class FlashBookOutputApp : public FlashBookOutput
{
public:
    // `toName` MyBook or MyBook.html gives the bundle MyBook.app in `folder`.
    FlashBookOutputApp(FlashPageSourcePtr pageSource, FlashTemplatePtr flashTemplate, const QString &folder,
                       const QString &toName);

    // Contents/Resources/index.html, whatever the name.
    QString outputHTMLFileName() const override;
    // The bundle folder.
    QString outputFileName() const override;
    // Replaces the whole bundle, then assembles the book into its resources.
    void ouputTheBook() override;

    static QString bundleName(const QString &toName);
};
