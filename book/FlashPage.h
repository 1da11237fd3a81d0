#pragma once

#include <QList>
#include <QString>

#include <memory>

class FlashPage;
using FlashPagePtr = std::shared_ptr<FlashPage>;
using FlashPageList = QList<FlashPagePtr>;

// One page of a book in one form: the absolute path of its file and the page
// number it has in the source, counted from 1.
class FlashPage
{
public:
    FlashPage() = default;
    FlashPage(QString pageFilePath, int pageIndex) : m_pageFilePath(std::move(pageFilePath)), m_pageIndex(pageIndex) {}
    virtual ~FlashPage() = default;

    const QString &pageFilePath() const { return m_pageFilePath; }
    void setPageFilePath(const QString &path) { m_pageFilePath = path; }
    int pageIndex() const { return m_pageIndex; }
    void setPageIndex(int index) { m_pageIndex = index; }

    // A new record of the same kind naming the same file; both numbers are unused.
    virtual FlashPagePtr copyPage(int size, int quality) const;

private:
    QString m_pageFilePath;
    int m_pageIndex = 0;
};

// A page that is an image file given by the user (or shipped as a sample).
class FlashPageImage : public FlashPage
{
public:
    using FlashPage::FlashPage;
    FlashPagePtr copyPage(int size, int quality) const override;
};
