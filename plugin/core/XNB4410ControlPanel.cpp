#include "XNB4410ControlPanel.h"

#include "CNB4410ControlPanel.h"
#include "host/core/ClassTable.h"
#include "host/core/LanguageService.h"
#include "host/core/MessageService.h"
#include "host/widgets/WidgetTranslator.h"
#include "host/core/Steps.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <cmath>
#include <limits>

namespace nb4410 {

OSTREL_REGISTER_CONTROL("OstrelNB4410.XNB4410ControlPanel", XNB4410ControlPanel)

using ostrel::runStep;

namespace {

// Left, top, width, height in twips, inside the frame.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr TwipRect kPictureBox{0, 0, 6615, 3255};
constexpr TwipRect kFrame{120, 120, 6375, 3015};
constexpr TwipRect kOperatorLabel{360, 600, 1575, 255};
constexpr TwipRect kOperatorBox{2160, 600, 3855, 285};
constexpr TwipRect kEstablishmentLabel{360, 1095, 1575, 255};
constexpr TwipRect kEstablishmentBox{2160, 1080, 3855, 285};
constexpr TwipRect kSerialNumberLabel{360, 1560, 1815, 255};
constexpr TwipRect kSerialNumberBox{2160, 1560, 1695, 285};
constexpr TwipRect kFWRevisionLabel{360, 2400, 1935, 255};
constexpr TwipRect kVersionLabel{2160, 2400, 615, 255};
constexpr TwipRect kApplyButton{5160, 2400, 975, 375};
constexpr TwipRect kAppliedLabel{360, 2760, 5775, 225};

QString text4410(const char* text, const ostrel::VariantArray& params = {})
{
    return ostrel::LanguageService::instance().Translate(QStringLiteral("NB-4410"), QString::fromUtf8(text), params);
}

QRect toPixels(const TwipRect& rect, int dpiX, int dpiY)
{
    return QRect(XNB4410ControlPanel::TwipsToPixels(rect.left, dpiX), XNB4410ControlPanel::TwipsToPixels(rect.top, dpiY),
                 XNB4410ControlPanel::TwipsToPixels(rect.width, dpiX),
                 XNB4410ControlPanel::TwipsToPixels(rect.height, dpiY));
}

} // namespace

int XNB4410ControlPanel::TwipsToPixels(int twips, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

XNB4410ControlPanel::XNB4410ControlPanel(QWidget* parent)
    : QWidget(parent),
      m_pboMTISettings(new QFrame(this)),
      m_fraMTISettings(new QGroupBox(m_pboMTISettings)),
      m_lblOperator(new QLabel(QStringLiteral("Operator:"), m_fraMTISettings)),
      m_txtOperator(new QLineEdit(m_fraMTISettings)),
      m_lblEstablishment(new QLabel(QStringLiteral("Establishment:"), m_fraMTISettings)),
      m_txtEstablishment(new QLineEdit(m_fraMTISettings)),
      m_lblSerialNumber(new QLabel(QStringLiteral("Serial number:"), m_fraMTISettings)),
      m_txtSerialNumber(new QLineEdit(m_fraMTISettings)),
      m_lblFWRevision(new QLabel(QStringLiteral("Firmware revision:"), m_fraMTISettings)),
      m_lblVersion(new QLabel(m_fraMTISettings)),
      m_cmdApplySettings(new QPushButton(QStringLiteral("7::&Apply"), m_fraMTISettings)),
      m_lblApplied(new QLabel(m_fraMTISettings))
{
    setObjectName(QStringLiteral("XNB4410ControlPanel"));
    m_pboMTISettings->setObjectName(QStringLiteral("pboMTISettings"));
    m_fraMTISettings->setObjectName(QStringLiteral("fraMTISettings"));
    m_lblOperator->setObjectName(QStringLiteral("lblOperator"));
    m_txtOperator->setObjectName(QStringLiteral("txtOperator"));
    m_lblEstablishment->setObjectName(QStringLiteral("lblEstablishment"));
    m_txtEstablishment->setObjectName(QStringLiteral("txtEstablishment"));
    m_lblSerialNumber->setObjectName(QStringLiteral("lblSerialNumber"));
    m_txtSerialNumber->setObjectName(QStringLiteral("txtSerialNumber"));
    m_lblFWRevision->setObjectName(QStringLiteral("lblFWRevision"));
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_cmdApplySettings->setObjectName(QStringLiteral("cmdApplySettings"));
    m_lblApplied->setObjectName(QStringLiteral("lblApplied"));

    m_txtOperator->setMaxLength(kMaxOperatorLength);
    m_txtEstablishment->setMaxLength(kMaxEstablishmentLength);
    // The instrument sets no bound on the serial number; neither does the page.
    m_txtSerialNumber->setMaxLength(std::numeric_limits<int>::max());
    m_pboMTISettings->setFrameShape(QFrame::NoFrame);
    placeControls();

    connect(m_cmdApplySettings, &QPushButton::clicked, this, &XNB4410ControlPanel::cmdApplySettings_Click);

    runStep("translate control panel",
            [&] { ostrel::WidgetTranslator::Translate(this, QStringLiteral("NB-4410")); });
}

void XNB4410ControlPanel::placeControls()
{
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    const auto place = [&](QWidget* widget, const TwipRect& rect) { widget->setGeometry(toPixels(rect, dpiX, dpiY)); };
    place(m_pboMTISettings, kPictureBox);
    place(m_fraMTISettings, kFrame);
    place(m_lblOperator, kOperatorLabel);
    place(m_txtOperator, kOperatorBox);
    place(m_lblEstablishment, kEstablishmentLabel);
    place(m_txtEstablishment, kEstablishmentBox);
    place(m_lblSerialNumber, kSerialNumberLabel);
    place(m_txtSerialNumber, kSerialNumberBox);
    place(m_lblFWRevision, kFWRevisionLabel);
    place(m_lblVersion, kVersionLabel);
    place(m_cmdApplySettings, kApplyButton);
    place(m_lblApplied, kAppliedLabel);
    const QRect whole = toPixels(kPictureBox, dpiX, dpiY);
    setMinimumSize(whole.size());
    resize(whole.size());
}

bool XNB4410ControlPanel::Visible()
{
    // As placed in the container, whether or not the container is on screen.
    return !isHidden();
}

void XNB4410ControlPanel::SetVisible(bool visible)
{
    runStep("show control panel", [&] { setVisible(visible); });
}

void XNB4410ControlPanel::SetLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    runStep("lock control panel", [&] {
        for (QLineEdit* text : {m_txtOperator, m_txtEstablishment, m_txtSerialNumber})
            text->setReadOnly(locked);
    });
}

void XNB4410ControlPanel::SetRecordRead(bool read, const QString& firmware)
{
    m_readFailed = !read;
    m_lblVersion->setText(firmware);
    updateApplyButton();
}

void XNB4410ControlPanel::ShowApplied(bool stored)
{
    m_lblApplied->setText(stored ? text4410("22020::The operator record was stored in the NB-4410.")
                                 : text4410("22021::The operator record was not stored."));
}

bool XNB4410ControlPanel::refuseTooLong()
{
    const std::pair<QLineEdit*, QLabel*> limited[] = {{m_txtOperator, m_lblOperator}, {m_txtEstablishment, m_lblEstablishment}};
    for (const auto& [text, label] : limited) {
        if (text->text().size() <= kMaxOperatorLength)
            continue;
        const QString field = label->text().remove(QLatin1Char(':'));
        const QString message =
            text4410("22022::%%1 holds %%2 characters; the NB-4410 keeps at most %%3. Shorten it, then apply again.",
                     {ostrel::Variant(field), ostrel::Variant(static_cast<std::int32_t>(text->text().size())),
                      ostrel::Variant(static_cast<std::int32_t>(kMaxOperatorLength))});
        m_lblApplied->setText(message);
        ostrel::MessageService::instance().Show(ostrel::MessageIcon::Exclamation, message,
                                                ostrel::MessageService::instance().ApplicationTitle());
        return true;
    }
    return false;
}

void XNB4410ControlPanel::Initialize(const ostrel::Variant& data)
{
    // The owner's handler may wait for the instrument in the event loop; the page may be
    // unloaded meanwhile.
    QPointer<XNB4410ControlPanel> alive(this);
    m_initialising = true;
    updateApplyButton();
    runStep("initialise control panel", [&] {
        m_owner = data.as<_CNB4410ControlPanel>();
        QString sOperator;
        QString sEstablishment;
        QString sSerialNo;
        emit Initialize(sOperator, sEstablishment, sSerialNo);
        if (!alive)
            return;
        // A record longer than the page lets one type is shown whole, never cut: Apply refuses it.
        m_txtOperator->setMaxLength(std::max<int>(kMaxOperatorLength, static_cast<int>(sOperator.size())));
        m_txtEstablishment->setMaxLength(std::max<int>(kMaxEstablishmentLength, static_cast<int>(sEstablishment.size())));
        m_txtOperator->setText(sOperator);
        m_txtEstablishment->setText(sEstablishment);
        m_txtSerialNumber->setText(sSerialNo);
    });
    if (!alive)
        return;
    m_initialising = false;
    updateApplyButton();
}

void XNB4410ControlPanel::Refresh()
{
    runStep("repaint control panel", [&] { update(); });
}

void XNB4410ControlPanel::SetFocus()
{
    runStep("focus control panel", [&] { m_txtOperator->setFocus(); });
}

void XNB4410ControlPanel::cmdApplySettings_Click()
{
    // A click while the fields are still being filled, or while the last Apply still waits
    // for the instrument, would write half-filled or stale texts.
    if (m_initialising || m_applying || m_readFailed)
        return;
    m_lblApplied->clear();
    if (refuseTooLong())
        return;
    QPointer<XNB4410ControlPanel> alive(this);
    m_applying = true;
    updateApplyButton();
    runStep("apply control panel", [&] {
        QString sOperator = m_txtOperator->text();
        QString sEstablishment = m_txtEstablishment->text();
        QString sSerialNo = m_txtSerialNumber->text();
        emit ApplySettings(sOperator, sEstablishment, sSerialNo);
    });
    if (!alive)
        return;
    m_applying = false;
    updateApplyButton();
}

void XNB4410ControlPanel::updateApplyButton()
{
    // A lock protects the texts, not the instrument: a locked page still applies them.
    m_cmdApplySettings->setEnabled(!m_initialising && !m_applying && !m_readFailed);
}

} // namespace nb4410
