#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "templates/FlashTemplate.h"

#include <QObject>
#include <QString>

class UserPrompts;

// The publish dialog's logic: where and how to publish and the overwrite
// question; the publication itself is PublishService's. The dialog window mirrors the fields
// below in its controls and forwards its buttons.
class OutputWindowDelegate : public QObject
{
    Q_OBJECT

public:
    explicit OutputWindowDelegate(UserPrompts *prompts, QObject *parent = nullptr);

    // Fills the fields from the settings.
    void awakeFromNib();

    void onSelectFolder();
    void onOpenFolder();
    void OnClickOutputType();
    void onPublish();
    void onCancel();
    // Whether publishing into `folder` (the book folder or the application
    // bundle) may go on: asks before an earlier book is replaced, and refuses
    // a folder of other files or one that is never replaced, with a message.
    bool CheckOutputDir(const QString &folder);

    // The dialog's controls.
    QString txtOutputFolder;
    QString txtOutputName;
    QString txtTitle;
    int mOutputType = 0; // 0 web book folder, 1 desktop application
    bool chkCreateMobile = false;
    int btnMobileType = 0;
    // Whether the two mobile controls can be used (not for application output).
    bool mobileControlsEnabled() const { return m_mobileEnabled; }

    void setFlashPageSource(const FlashPageSourcePtr &source) { iFlashPageSource = source; }
    const FlashPageSourcePtr &flashPageSource() const { return iFlashPageSource; }
    void setFlashTmpl(const FlashTemplatePtr &tmpl) { iFlashTmpl = tmpl; }
    const FlashTemplatePtr &flashTmpl() const { return iFlashTmpl; }
    void setFlashOutline(const FlashOutlinePtr &outline) { iFlashOutline = outline; }
    const FlashOutlinePtr &flashOutline() const { return iFlashOutline; }
    void setFlashPagesAnnotations(const FlashPagesAnnotationsPtr &a) { iFlashPagesAnnotations = a; }
    const FlashPagesAnnotationsPtr &flashPagesAnnotations() const { return iFlashPagesAnnotations; }

    // Path of the last publication's page (or application), "" before one.
    const QString &lastOutputFile() const { return m_lastOutputFile; }

signals:
    // A field changed from inside (settings loaded, folder chosen, kind clicked).
    void fieldsChanged();
    void sheetEnded(int code);

private:
    UserPrompts *m_prompts;
    bool m_mobileEnabled = true;
    FlashPageSourcePtr iFlashPageSource;
    FlashTemplatePtr iFlashTmpl;
    FlashOutlinePtr iFlashOutline;
    FlashPagesAnnotationsPtr iFlashPagesAnnotations;
    QString m_lastOutputFile;
    bool m_replaceAgreed = false;
};
