#include "host/results/ReportPager.h"

#include <QPainter>

namespace ostrel {

namespace {

double heightOf(const std::vector<ReportBand>& bands)
{
    double height = 0;
    for (std::size_t i = 0; i < bands.size(); ++i)
        height += (i > 0 ? bands[i].spaceBefore : 0) + bands[i].height;
    return height;
}

} // namespace

ReportPager::ReportPager(const QRectF& body, double gap) : m_body(body), m_gap(gap)
{
}

int ReportPager::CountPages(std::size_t pieces, const PieceBands& bands) const
{
    int pages = 0;
    paginate(pieces, bands, nullptr, StartPage(), pages);
    return pages;
}

void ReportPager::Draw(std::size_t pieces, const PieceBands& bands, QPainter& painter, const StartPage& startPage) const
{
    int pages = 0;
    paginate(pieces, bands, &painter, startPage, pages);
}

void ReportPager::paginate(std::size_t pieces, const PieceBands& bandsOf, QPainter* painter, const StartPage& startPage,
                           int& pages) const
{
    const double height = m_body.height();
    double y = 0; // used height of the current page
    const auto newPage = [&] {
        if (painter && startPage)
            startPage(pages);
        ++pages;
        y = 0;
    };
    newPage();
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        const std::vector<ReportBand> bands = bandsOf(piece);
        if (bands.empty())
            continue;
        if (y > 0)
            y += m_gap;
        // A piece that does not fit in the rest of the page starts the next one; it is broken
        // between bands only when it is longer than a whole page.
        if (y > 0 && y + heightOf(bands) > height)
            newPage();
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const ReportBand& band = bands[i];
            double space = i > 0 && y > 0 ? band.spaceBefore : 0;
            if (y > 0 && y + space + band.height > height) {
                newPage();
                space = 0;
            }
            y += space;
            if (painter && band.paint) {
                painter->save();
                painter->translate(m_body.left(), m_body.top() + y);
                band.paint(*painter);
                painter->restore();
            }
            y += band.height;
        }
    }
}

} // namespace ostrel
