#include "book/FlashPageSourcePDF.h"

#include "book/PDFToSWFPageConverter.h"
#include "platform/IsolatedPdfRasterizer.h"
#include "platform/Logging.h"
#include "platform/NotificationCenter.h"
#include "platform/Paths.h"

#include <QVariantMap>

namespace {

const auto logger = Logging::logger("FlashPageSourcePDF");

} // namespace

FlashPageSourcePDF::FlashPageSourcePDF(const QString &pdfPath, const QString &pageRange, int DPI, int quality,
                                       const QString &password, bool extractText, IsolatedPdfRasterizer::Reads reads)
    : m_pageRange(pageRange), m_DPI(DPI), m_quality(quality)
{
    setSourceFile(pdfPath);
    auto converter = std::make_shared<PDFToSWFPageConverter>(sourceFile(), nullptr, quality);
    m_toPageConverter = converter;
    converter->setExtractText(extractText);
    if (!converter->makesImages())
        converter->startPdf2swfServer();
    QString readable = sourceFile();
    QString error;
    // Render workers open the file first and tell a file locked by a password;
    // one of them reads what the document model will read before this process
    // does (see IsolatedPdfRasterizer::openChecked).
    IsolatedPdfRasterizer::Checked checked =
        IsolatedPdfRasterizer::openChecked(readable, converter->renderers(), reads);
    if (checked.locked) {
        const QString unlocked = Paths::join(converter->converterWorkFolder(), QStringLiteral("unlocked.pdf"));
        m_lock = PdfDocument::unlock(sourceFile(), password, unlocked, &error);
        if (m_lock == PdfDocument::Lock::Unlocked) {
            readable = unlocked;
            converter->setPDFPath(unlocked);
            checked = IsolatedPdfRasterizer::openChecked(readable, converter->renderers(), reads);
        } else if (m_lock == PdfDocument::Lock::PasswordNeeded || m_lock == PdfDocument::Lock::WrongPassword) {
            LOG4CXX_WARN(logger, "cannot open PDF " << sourceFile() << ": " << error);
        }
    }
    // Page images start on the renderer's page count while the structure is
    // read; the document model's count decides the book's pages below.
    const bool early = checked.rasterizer && converter->makesImages();
    if (early) {
        converter->useRasterizer(checked.rasterizer, checked.error);
        converter->willGeneratePages(pagesToImportFor(m_pageRange, checked.rasterizer->pageCount()));
    }
    QString why;
    if (!checked.vouch(&why)) {
        error = why;
        LOG4CXX_ERROR(logger, "cannot open PDF " << sourceFile() << ": " << error);
    } else if (!(m_document = PdfDocument::open(readable, {}, &error))) {
        LOG4CXX_WARN(logger, "cannot open PDF " << sourceFile() << ": " << error);
    }
    if (!m_document) {
        if (early)
            converter->cancelPendingWork();
        // The reader names the file itself; whoever reports this does too.
        for (const QString &named : {sourceFile(), readable})
            if (error.startsWith(named + QStringLiteral(": ")))
                error = error.mid(named.size() + 2);
        m_openError = error.simplified();
    }
    converter->setPDFDoc(m_document);
    if (m_document && !early)
        converter->useRasterizer(checked.rasterizer, checked.error);
    m_pagesToImport = pagesToImportFor(m_pageRange, m_document);
}

FlashPageSourcePDF::~FlashPageSourcePDF() = default;

QList<int> FlashPageSourcePDF::pagesToImportFor(const QString &pageRange, const PdfDocumentPtr &doc)
{
    return pagesToImportFor(pageRange, doc ? doc->pageCount() : -1);
}

QList<int> FlashPageSourcePDF::pagesToImportFor(const QString &pageRange, int total)
{
    QList<int> pages = parsePageRange(pageRange, std::max(total, 0));
    if (total >= 0) {
        const qsizetype before = pages.size();
        pages.removeIf([total](int page) { return page < 1 || page > total; });
        if (pages.size() != before)
            LOG4CXX_WARN(logger, "page range \"" << pageRange << "\" names " << (before - pages.size())
                                                 << " pages outside 1-" << total << "; they are left out");
    }
    return pages;
}

void FlashPageSourcePDF::postProgress(int position, const QString &type) const
{
    QVariantMap info;
    info.insert(QStringLiteral("pageIndex"), position);
    info.insert(QStringLiteral("totalPage"), int(m_pagesToImport.size()));
    info.insert(QStringLiteral("type"), type);
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("ImportProgressInfoMSG"), nullptr, info);
}

void FlashPageSourcePDF::generate(Step step)
{
    if (step == Step::Page)
        m_toPageConverter->willGeneratePages(m_pagesToImport);
    for (qsizetype i = 0; i < m_pagesToImport.size(); ++i) {
        if (stop())
            break;
        const int page = m_pagesToImport.at(i);
        QString path;
        QString type;
        FlashPageList *list = nullptr;
        switch (step) {
        case Step::Page:
            path = m_toPageConverter->generatePage(page);
            list = &mutablePages();
            type = QStringLiteral("geneatePage");
            break;
        case Step::Thumb:
            path = m_toPageConverter->generateThumbPage(page);
            list = &mutableThumbPages();
            type = QStringLiteral("geneateThumbPage");
            break;
        case Step::Mobile:
            path = m_toPageConverter->generateMobilePage(page);
            list = &mutableMobilePages();
            type = QStringLiteral("geneatePage");
            break;
        }
        list->append(std::make_shared<FlashPage>(path, page));
        postProgress(int(i + 1), type);
    }
    if (stop())
        m_toPageConverter->cancelPendingWork();
}

void FlashPageSourcePDF::generatePages()
{
    generate(Step::Page);
}

void FlashPageSourcePDF::generateThumbPages()
{
    generate(Step::Thumb);
}

void FlashPageSourcePDF::generateMobilePages()
{
    generate(Step::Mobile);
}

void FlashPageSourcePDF::generateNormalPages()
{
    for (qsizetype i = 0; i < pages().size(); ++i) {
        if (stop())
            break;
        const FlashPagePtr &page = pages().at(i);
        if (page && !getNormalPageAtIndex(page->pageIndex()))
            mutableNormalPages().append(page->copyPage(100, 100));
        postProgress(int(i + 1), QStringLiteral("geneateNormalPage"));
    }
}

FlashPagePtr FlashPageSourcePDF::getNormalPageAtIndex(int pageIndex) const
{
    return findByIndex(normalPages(), pageIndex, true);
}

FlashPagePtr FlashPageSourcePDF::getThumbPageAtIndex(int pageIndex) const
{
    return findByIndex(thumbPages(), pageIndex, true);
}
