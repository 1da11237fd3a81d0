#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "platform/Result.h"
#include "templates/FlashTemplate.h"

#include <QString>

#include <functional>

// What to publish, and where.
struct PublishRequest
{
    FlashPageSourcePtr pageSource;
    FlashTemplatePtr tmpl;
    FlashPagesAnnotationsPtr annotations;
    FlashOutlinePtr outline;
    QString folder; // the web book's folder, or the folder the application bundle goes in
    QString name;   // the HTML page's name (web) or the application's (bundle), without extension
    QString title;
    bool application = false;
    bool mobile = false; // web books only
    int mobileType = 0;  // 0 flip, 1 slide
    // An earlier book at the destination may be replaced.
    bool replace = false;
    // Write straight into `folder`, next to what it holds (the desktop). There
    // is no staging then: a failed publication may leave part of a book there.
    bool inPlace = false;
    // Asked before the finished book replaces anything; true stops the publication.
    std::function<bool()> stopRequested;
    // The page source's page images and thumbnails are not needed after this
    // publication (a command-line import): they are moved into the book
    // rather than copied where the file system allows.
    bool movePageFiles = false;
};

// A publication that is in place.
struct PublishedBook
{
    QString destination; // the book folder or the application bundle
    QString outputFile;  // what to open: the HTML page, or the bundle
};

// Publishes a book as a web folder (with its mobile edition when asked) or as
// an application bundle. The book is written into a staging folder beside its
// destination and moved into place only when every file was written, so a
// failure (a full disk, a folder without write permission) leaves an earlier
// book there whole and names the first file that could not be written with
// the operating system's reason. The desktop dialog and the command-line tool
// both publish through this.
class PublishService
{
public:
    // What is at a destination, and so whether publishing may go there.
    enum class Destination {
        Free,         // nothing there, or an empty folder
        EarlierBook,  // a book Foliant published: replaced with `replace`
        OtherContent, // files that are not a published book: never replaced
        Protected,    // the home folder, a standard folder, a root: never replaced
        NotAFolder,   // a file, or a link
    };

    // The book folder or application bundle the request makes.
    static QString destinationOf(const PublishRequest &request);
    // What `destination` holds now; `entries` counts what is inside a folder
    // of other content (files and folders, at any depth).
    static Destination inspect(const QString &destination, bool application, int *entries = nullptr);

    static Result<PublishedBook> publish(const PublishRequest &request);
};
