#pragma once

#include "platform/Xml.h"

#include <QString>
#include <QStringList>

#include <memory>

class FlashPagesAnnotations;
using FlashPagesAnnotationsPtr = std::shared_ptr<FlashPagesAnnotations>;

// The book's links: an XML tree listing, page by page, the clickable areas and
// where each leads, plus the files those links need published with the book.
//
//   <pagesAnnos>
//     <pageAnnos pageIndex="1"/>                       one per imported page, numbered
//     <pageAnnos pageIndex="2">                        by position in the book from 1
//       <anno url="http://..." x=".." y=".." width=".." height=".." action="web"/>
//       <anno pageIndex="7" x=".." y=".." width=".." height=".." action="page"/>
//     </pageAnnos>
//   </pagesAnnos>
//
// x and y are the top-left corner as fractions of the page width and height
// measured from the top left; width and height are fractions too; all four are
// written with six decimals. A "page" link's pageIndex is the PDF page number of
// its target, not a position in the book.
class FlashPagesAnnotations
{
public:
    FlashPagesAnnotations() = default;
    virtual ~FlashPagesAnnotations() = default;
    FlashPagesAnnotations(const FlashPagesAnnotations &) = delete;
    FlashPagesAnnotations &operator=(const FlashPagesAnnotations &) = delete;

    const QStringList &needFiles() const { return m_needFiles; }
    void setNeedFiles(const QStringList &files) { m_needFiles = files; }

    // The "pagesAnnos" element, or a null node while there is no tree. Valid as
    // long as this object lives and the tree is not replaced.
    XmlNode pagesAnnotationsNode() const { return m_tree.isNull() ? XmlNode() : m_tree.root(); }
    // Replaces the tree with a deep copy of `node` (a null node drops the tree).
    void setPagesAnnotationsNode(const XmlNode &node);
    // Replaces the tree with `document`, taken over as it is.
    void setPagesAnnotationsDocument(XmlDocument document) { m_tree = std::move(document); }
    // Drops the tree and starts an empty "pagesAnnos" element; returns it.
    XmlNode resetPagesAnnotationsNode();

    // The document holding the tree (null while there is none), e.g. to serialise it.
    const XmlDocument &pagesAnnotationsDocument() const { return m_tree; }

    // Builders of the tree's elements, so every writer spells them alike.
    static XmlNode addPageAnnos(XmlNode root, int bookPageIndex);
    static XmlNode addWebAnno(XmlNode pageAnnos, const QString &url, double x, double y, double width, double height);
    static XmlNode addPageAnno(XmlNode pageAnnos, int targetPdfPage, double x, double y, double width, double height);
    // "%f" of a fraction; values that are not finite are written as 0.000000,
    // since the player cannot place an area at "nan".
    static QString formatFraction(double value);

private:
    QStringList m_needFiles;
    XmlDocument m_tree;
};
