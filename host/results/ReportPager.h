#pragma once
// Lays a report out on pages piece by piece: each piece (a heading with what follows it up to
// the next heading) is laid out on its own and released once drawn, so the memory a report
// needs does not grow with its length. A piece that fits on a page is never split; one that
// does not fit in the rest of a page starts the next; one longer than a page starts a page of
// its own and runs over as many as it needs. So a heading never stands alone at a page's foot.
#include <QRectF>
#include <QString>
#include <functional>

class QPaintDevice;
class QPainter;

namespace ostrel {

class ReportPager {
public:
    using PieceHtml = std::function<QString(std::size_t piece)>;
    // Called before anything is drawn on a page (0-based); it starts the page and draws its
    // header and footer.
    using StartPage = std::function<void(int page)>;

    // body: the printable area of a page for the pieces, in the device's pixels; gap: the
    // space between two pieces on a page.
    ReportPager(QPaintDevice& device, const QRectF& body, double gap);

    int CountPages(std::size_t pieces, const PieceHtml& html) const;
    void Draw(std::size_t pieces, const PieceHtml& html, QPainter& painter, const StartPage& startPage) const;

private:
    void paginate(std::size_t pieces, const PieceHtml& html, QPainter* painter, const StartPage& startPage,
                  int& pages) const;

    QPaintDevice& m_device;
    QRectF m_body;
    double m_gap;
};

} // namespace ostrel
