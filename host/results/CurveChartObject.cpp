#include "host/results/CurveChartObject.h"

#include "host/results/CurveChart.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>

namespace ostrel {

namespace {
constexpr double kCssDpi = 96.0;

bool isChart(const QTextFormat& format)
{
    return CurveChart::IsImageName(format.toImageFormat().name());
}
} // namespace

CurveChartObject::CurveChartObject(QTextDocument& document, QObject* previous) : QObject(&document), m_previous(previous) {}

void CurveChartObject::Install(QTextDocument& document)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    auto* previous = dynamic_cast<QObject*>(layout->handlerForObject(QTextFormat::ImageObject));
    layout->registerHandler(QTextFormat::ImageObject, new CurveChartObject(document, previous));
}

QSizeF CurveChartObject::intrinsicSize(QTextDocument* document, int posInDocument, const QTextFormat& format)
{
    if (!isChart(format)) {
        auto* previous = qobject_cast<QTextObjectInterface*>(m_previous.data());
        return previous ? previous->intrinsicSize(document, posInDocument, format) : QSizeF();
    }
    // CSS pixels to the pixels of the device the document is laid out for (a PDF: 1200 dpi).
    const QPaintDevice* device = document ? document->documentLayout()->paintDevice() : nullptr;
    const double scale = device ? device->logicalDpiY() / kCssDpi : 1.0;
    QSizeF size(CurveChart::kWidthPx * scale, CurveChart::kHeightPx * scale);
    if (document && document->textWidth() > 0 && size.width() > document->textWidth())
        size *= document->textWidth() / size.width();
    return size;
}

void CurveChartObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int posInDocument,
                                  const QTextFormat& format)
{
    if (!isChart(format)) {
        if (auto* previous = qobject_cast<QTextObjectInterface*>(m_previous.data()))
            previous->drawObject(painter, rect, document, posInDocument, format);
        return;
    }
    const CurveChart chart(CurveChart::FromImageName(format.toImageFormat().name()));
    chart.Draw(*painter, rect, rect.height() / 20.0);
}

} // namespace ostrel
