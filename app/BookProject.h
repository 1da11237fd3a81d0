#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "templates/FlashTemplate.h"

#include <QString>

// A saved book: one file holding everything needed to open the book again as
// it was (the page files, links, outline, template and style with every
// property value and the files they name, the page size, and the page
// editor's page list with its files). The format is described in
// docs/projects.md.
class BookProject
{
public:
    // What a project holds; the preview folder is where the page editor's
    // page list and files live while the book is open.
    struct Book
    {
        FlashPageSourcePtr pageSource;
        FlashPagesAnnotationsPtr annotations;
        FlashOutlinePtr outline;
        FlashTemplatePtr tmpl;
        int pageWidth = 0; // the page size publishing uses (settings PageWidth/PageHeight)
        int pageHeight = 0;
    };

    static constexpr const char *kSuffix = "foliant";

    // Writes the book and the page editor's work in `previewFolder` to `path`
    // atomically. False with `error` naming the file and the reason.
    static bool save(const QString &path, const Book &book, const QString &previewFolder, QString *error);
    // Reads `path` into a fresh work folder. Only when the whole file was
    // read and understood is the page editor's work put into `previewFolder`
    // and `book` filled; otherwise false with `error`, and nothing changed.
    static bool open(const QString &path, const QString &previewFolder, Book *book, QString *error);
};
