#include "plugin/measure/XDetailedResult.h"

#include "host/contract/IResultData.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/widgets/WidgetTranslator.h"
#include "host/core/Steps.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>

namespace nb4410 {

OSTREL_REGISTER_CONTROL(XDetailedResult::kProgId, XDetailedResult)

namespace {

constexpr int kGapTwips = 60;
constexpr int kBottomTwips = 120;

// The result in the data: the result itself, or the first result among the items of an array.
std::shared_ptr<ostrel::IResultData> resultOf(const ostrel::Variant& data)
{
    if (auto result = data.as<ostrel::IResultData>())
        return result;
    if (data.isArray()) {
        for (const ostrel::Variant& item : data.array().items()) {
            if (auto result = item.as<ostrel::IResultData>())
                return result;
        }
    }
    return nullptr;
}

} // namespace

XDetailedResult::XDetailedResult(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("XDetailedResult"));
    m_lblTitle = new QLabel(QStringLiteral("1708::Comment"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_txtComment = new QPlainTextEdit(this);
    m_txtComment->setObjectName(QStringLiteral("txtComment"));
    ostrel::runStep("translate the captions", [&] { ostrel::WidgetTranslator::Translate(this, QStringLiteral("NB-4410")); });
    layoutControls();
}

void XDetailedResult::Initialize(const ostrel::Variant& data)
{
    ostrel::runStep("show the comment", [&] {
        const auto result = resultOf(data);
        m_txtComment->setPlainText(result ? result->Comment() : QString());
    });
    ostrel::runStep("make the comment read-only", [&] {
        m_txtComment->setReadOnly(true);
        QPalette palette = m_txtComment->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        m_txtComment->setPalette(palette);
    });
}

void XDetailedResult::SetFocus()
{
    m_txtComment->setFocus();
}

int XDetailedResult::MarginPixels() const
{
    return qRound(kMarginTwips * logicalDpiX() / double(kTwipsPerInch));
}

QString XDetailedResult::CommentText() const
{
    return m_txtComment->toPlainText();
}

void XDetailedResult::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void XDetailedResult::layoutControls()
{
    const double pixelsPerTwip = logicalDpiY() / double(kTwipsPerInch);
    const int margin = MarginPixels();
    const int width = std::max(0, this->width() - margin);
    const int labelHeight = m_lblTitle->sizeHint().height();
    m_lblTitle->setGeometry(margin, 0, width, labelHeight);
    const int top = labelHeight + qRound(kGapTwips * pixelsPerTwip);
    const int height = std::max(0, this->height() - top - qRound(kBottomTwips * pixelsPerTwip));
    m_txtComment->setGeometry(margin, top, width, height);
}

} // namespace nb4410
