#include "host/results/ReportPager.h"

#include "host/results/CurveChartObject.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <memory>

namespace ostrel {

namespace {

// One document, set up once for the device, holds one piece at a time: what a piece takes is
// released when the next replaces it.
std::unique_ptr<QTextDocument> pieceDocument(QPaintDevice& device)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->setDocumentMargin(0);
    CurveChartObject::Install(*document);
    return document;
}

} // namespace

ReportPager::ReportPager(QPaintDevice& device, const QRectF& body, double gap) : m_device(device), m_body(body), m_gap(gap)
{
}

int ReportPager::CountPages(std::size_t pieces, const PieceHtml& html) const
{
    int pages = 0;
    paginate(pieces, html, nullptr, StartPage(), pages);
    return pages;
}

void ReportPager::Draw(std::size_t pieces, const PieceHtml& html, QPainter& painter, const StartPage& startPage) const
{
    int pages = 0;
    paginate(pieces, html, &painter, startPage, pages);
}

void ReportPager::paginate(std::size_t pieces, const PieceHtml& html, QPainter* painter, const StartPage& startPage,
                           int& pages) const
{
    const double width = m_body.width();
    const double height = m_body.height();
    double y = 0; // used height of the current page
    const auto newPage = [&] {
        if (painter && startPage)
            startPage(pages);
        ++pages;
        y = 0;
    };
    newPage();
    const auto document = pieceDocument(m_device);
    document->setTextWidth(width);
    bool paged = false; // the document holds a piece laid out in pages
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        const QString text = html(piece);
        if (text.isEmpty())
            continue;
        if (paged) {
            // Emptied first, so the change of size does not lay the old piece out once more.
            document->clear();
            document->setTextWidth(width);
            paged = false;
        }
        document->setHtml(text);
        const double pieceHeight = document->size().height();
        if (y > 0)
            y += m_gap;
        if (y > 0 && y + pieceHeight > height)
            newPage();
        if (pieceHeight <= height) {
            if (painter) {
                painter->save();
                painter->translate(m_body.left(), m_body.top() + y);
                document->drawContents(painter, QRectF(0, 0, width, pieceHeight));
                painter->restore();
            }
            y += pieceHeight;
            continue;
        }
        // Longer than a page: laid out in pages, so no line is cut at a page's foot.
        document->setPageSize(QSizeF(width, height));
        paged = true;
        const int count = document->pageCount();
        for (int page = 0; page < count; ++page) {
            if (page > 0)
                newPage();
            if (painter) {
                painter->save();
                painter->translate(m_body.left(), m_body.top() - page * height);
                document->drawContents(painter, QRectF(0, page * height, width, height));
                painter->restore();
            }
        }
        const QRectF last = document->documentLayout()->blockBoundingRect(document->lastBlock());
        y = std::clamp(last.bottom() - (count - 1) * height, 0.0, height);
    }
}

} // namespace ostrel
