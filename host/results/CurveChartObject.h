#pragma once
// Draws the report's pressure-curve images (CurveChart::PrintHtml) as vector paths while a
// report document is painted: installed on each document the report is laid out in. Other
// images go to the handler the document had before.
#include <QObject>
#include <QPointer>
#include <QTextObjectInterface>

class QTextDocument;

namespace ostrel {

class CurveChartObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    // The object belongs to the document.
    static void Install(QTextDocument& document);

    QSizeF intrinsicSize(QTextDocument* document, int posInDocument, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int posInDocument,
                    const QTextFormat& format) override;

private:
    CurveChartObject(QTextDocument& document, QObject* previous);

    QPointer<QObject> m_previous;
};

} // namespace ostrel
