#include "InstrumentLinkDialog.h"

#include "SettingsDialog.h"

#include "host/datalink/DataLinkRoot.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ostrel {

InstrumentLinkDialog::InstrumentLinkDialog(QWidget* parent)
    : QDialog(parent), m_tblPorts(new QTableWidget(this)), m_lblConfigured(new QLabel(this)),
      m_lblIdentity(new QLabel(this)), m_lblCounters(new QLabel(this))
{
    setObjectName(QStringLiteral("dlgInstrumentLink"));
    setWindowTitle(tr("Instrument link"));
    m_tblPorts->setObjectName(QStringLiteral("tblPorts"));
    m_lblConfigured->setObjectName(QStringLiteral("lblConfigured"));
    m_lblIdentity->setObjectName(QStringLiteral("lblIdentity"));
    m_lblCounters->setObjectName(QStringLiteral("lblCounters"));
    m_tblPorts->setColumnCount(4);
    m_tblPorts->setHorizontalHeaderLabels({tr("Port"), tr("Description"), tr("Manufacturer"), tr("Serial number")});
    m_tblPorts->horizontalHeader()->setStretchLastSection(true);
    m_tblPorts->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* form = new QFormLayout;
    form->addRow(tr("Configured port:"), m_lblConfigured);
    form->addRow(tr("Instrument:"), m_lblIdentity);
    form->addRow(tr("Link counters:"), m_lblCounters);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* refresh = buttons->addButton(tr("&Refresh"), QDialogButtonBox::ActionRole);
    refresh->setObjectName(QStringLiteral("cmdRefresh"));
    connect(refresh, &QPushButton::clicked, this, &InstrumentLinkDialog::Refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tblPorts);
    layout->addLayout(form);
    layout->addWidget(buttons);
    Refresh();
}

void InstrumentLinkDialog::Refresh()
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    m_tblPorts->setRowCount(static_cast<int>(ports.size()));
    for (int row = 0; row < ports.size(); ++row) {
        const QSerialPortInfo& port = ports[row];
        const QStringList cells{port.systemLocation(), port.description(), port.manufacturer(), port.serialNumber()};
        for (int column = 0; column < cells.size(); ++column)
            m_tblPorts->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    const QString device = SettingsDialog::CurrentDevice();
    m_lblConfigured->setText(device.isEmpty() ? tr("none") : device);

    const auto root = DataLinkRoot::instance();
    const DataLinkRoot::Identity& identity = root->LastIdentity();
    m_lblIdentity->setText(identity.serialNo.isEmpty()
                               ? tr("not seen yet")
                               : tr("%1, serial number %2, firmware %3").arg(identity.model, identity.serialNo, identity.firmware));
    const LinkCounters& counters = root->ClosedLinks();
    m_lblCounters->setText(tr("frames sent %1, received %2, bad checksum or broken %3, discarded %4, resends %5")
                               .arg(counters.sent)
                               .arg(counters.received)
                               .arg(counters.dropped)
                               .arg(counters.discarded)
                               .arg(counters.resends));
}

} // namespace ostrel
