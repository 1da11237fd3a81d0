#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Screen-sized copies of the page images, which a slow connection shows long
// before the page image itself: half its width and height at JPEG quality 80,
// beside it as "N.screen.jpg" ("page/3.jpg" -> "page/3.screen.jpg"). Only JPEG
// pages get one; the player falls back to the page image where none exists.
namespace ScreenPages {

// The rendition's name for a page file (a path or a page-relative address);
// empty when the page is not a JPEG image.
QString renditionPath(const QString &pageFile);

// Makes the rendition of each (page image, published page image) pair beside
// the published one, from the published image or as a copy of a rendition
// lying beside the page image (made by the import from the page's own
// rendering), the pages shared out over the processor's cores. A write
// that fails is recorded in the calling thread's WriteJournal; a page image
// the decoder cannot read is skipped. Returns the number written.
// With `move` a ready rendition is moved rather than copied where it can be.
int write(const QList<QPair<QString, QString>> &pages, bool move = false);

} // namespace ScreenPages
