#pragma once
// Lays a report out on pages piece by piece: each piece (a heading with what follows it up to
// the next heading) is laid out on its own as a list of bands and released once drawn, so the
// memory a report needs does not grow with its length. A piece that fits on a page is never
// split; one that does not fit in the rest of a page starts the next; one longer than a page
// starts a page of its own and runs over as many as it needs, broken between bands (a line of
// text, a row of a table). So a heading never stands alone at a page's foot.
#include <QRectF>
#include <functional>
#include <vector>

class QPainter;

namespace ostrel {

// A strip of a page that is never split.
struct ReportBand {
    double height = 0;      // in the device's pixels
    double spaceBefore = 0; // left out at the top of a page
    // Draws the band with the painter's origin at the band's top left.
    std::function<void(QPainter&)> paint;
};

class ReportPager {
public:
    using PieceBands = std::function<std::vector<ReportBand>(std::size_t piece)>;
    // Called before anything is drawn on a page (0-based); it starts the page and draws its
    // header and footer.
    using StartPage = std::function<void(int page)>;

    // body: the printable area of a page for the pieces, in the device's pixels; gap: the
    // space between two pieces on a page.
    ReportPager(const QRectF& body, double gap);

    int CountPages(std::size_t pieces, const PieceBands& bands) const;
    void Draw(std::size_t pieces, const PieceBands& bands, QPainter& painter, const StartPage& startPage) const;

private:
    void paginate(std::size_t pieces, const PieceBands& bands, QPainter* painter, const StartPage& startPage,
                  int& pages) const;

    QRectF m_body;
    double m_gap;
};

} // namespace ostrel
