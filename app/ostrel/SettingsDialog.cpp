#include "SettingsDialog.h"

#include "AppEnvironment.h"
#include "ResultsDatabasePage.h"
#include "StandardsCatalog.h"

#include "host/core/RegistryStore.h"
#include "host/datalink/PortRegistry.h"
#include "host/core/BasicNumber.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QListWidget>
#include <QLocale>
#include <QScrollBar>
#include <QSerialPortInfo>

namespace ostrel {

namespace {
const QString kInstrumentValue = QStringLiteral("Instrument");
const QString kDeviceValue = QStringLiteral("Device");
const QString kTimeScaleValue = QStringLiteral("TimeScale");

// The instrument's port number in the map, or the lowest free one.
std::int32_t instrumentPort(bool* found)
{
    const PortMap ports = PortRegistry::ReadRegistry();
    for (const auto& [number, entry] : ports) {
        if (entry.instrument.compare(QLatin1String(SettingsDialog::kInstrument), Qt::CaseInsensitive) == 0) {
            *found = true;
            return number;
        }
    }
    *found = false;
    std::int32_t number = 1;
    while (ports.count(number))
        ++number;
    return number;
}
} // namespace

SettingsDialog::SettingsDialog(const StandardsCatalog& standards, const QList<StandardRef>& selection, QWidget* parent,
                               const SequenceDocument* document)
    : QDialog(parent), m_cboPort(new QComboBox(this)), m_cboLanguage(new QComboBox(this)),
      m_spnSimSpeed(new QDoubleSpinBox(this)), m_lstStandards(new QListWidget(this)),
      m_pagDatabase(new ResultsDatabasePage(this))
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Settings"));
    m_cboPort->setObjectName(QStringLiteral("cboPort"));
    m_cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    m_lstStandards->setObjectName(QStringLiteral("lstStandards"));

    m_cboPort->addItem(tr("built-in simulator"), PortRegistry::kSimulatorDevice);
    m_cboPort->addItem(tr("first serial port found"), PortRegistry::kAutoDevice);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString text = info.description().isEmpty() ? info.portName()
                                                          : QStringLiteral("%1 (%2)").arg(info.portName(), info.description());
        m_cboPort->addItem(text, info.systemLocation());
    }
    const QString current = CurrentDevice();
    if (!current.isEmpty() && m_cboPort->findData(current) < 0)
        m_cboPort->addItem(tr("%1 (not present)").arg(current), current);
    m_cboPort->setCurrentIndex(std::max(0, m_cboPort->findData(current.isEmpty() ? PortRegistry::kSimulatorDevice : current)));

    // Faster than real time for training and demonstrations; only the simulator has a speed.
    m_spnSimSpeed->setObjectName(QStringLiteral("spnSimSpeed"));
    m_spnSimSpeed->setRange(0.1, 1000);
    m_spnSimSpeed->setDecimals(1);
    m_spnSimSpeed->setSuffix(tr(" x real time"));
    m_spnSimSpeed->setValue(CurrentSimulatorSpeed());
    const auto simulatorChosen = [this] { m_spnSimSpeed->setEnabled(Device() == PortRegistry::kSimulatorDevice); };
    simulatorChosen();
    connect(m_cboPort, &QComboBox::currentIndexChanged, this, simulatorChosen);

    m_cboLanguage->addItem(tr("English (built-in texts)"), QString());
    for (const QString& language : AppEnvironment::Languages()) {
        // "de" reads as "Deutsch (de)"; a folder named otherwise keeps its name.
        const QLocale locale(language);
        const QString name = locale.language() == QLocale::C ? QString() : locale.nativeLanguageName();
        m_cboLanguage->addItem(name.isEmpty() ? language : QStringLiteral("%1 (%2)").arg(name, language), language);
    }
    m_cboLanguage->setCurrentIndex(std::max(0, m_cboLanguage->findData(AppEnvironment::Language())));

    // The library's standards and those the sequence's elements carry (made with "New standard").
    for (const auto& ref : document ? standards.Available(*document) : standards.Available()) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 - %2").arg(ref.shortName, ref.fullName), m_lstStandards);
        item->setData(Qt::UserRole, QStringList{ref.shortName, ref.fullName});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(selection.contains(ref) ? Qt::Checked : Qt::Unchecked);
    }
    // The list is as wide as the longest standard's name, so no name is cut off.
    m_lstStandards->setMinimumWidth(m_lstStandards->sizeHintForColumn(0) + 2 * m_lstStandards->frameWidth() +
                                    m_lstStandards->verticalScrollBar()->sizeHint().width());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("NB-4410 port:"), m_cboPort);
    form->addRow(tr("Simulator speed:"), m_spnSimSpeed);
    form->addRow(tr("Language:"), m_cboLanguage);
    form->addRow(tr("Standards of the sequence:"), m_lstStandards);
    form->addRow(m_pagDatabase);
    form->addRow(buttons);
}

QList<StandardRef> SettingsDialog::SelectedStandards() const
{
    QList<StandardRef> refs;
    for (int i = 0; i < m_lstStandards->count(); ++i) {
        const QListWidgetItem* item = m_lstStandards->item(i);
        if (item->checkState() == Qt::Checked) {
            const QStringList names = item->data(Qt::UserRole).toStringList();
            refs.append({names.value(0), names.value(1)});
        }
    }
    return refs;
}

QString SettingsDialog::Device() const
{
    return m_cboPort->currentData().toString();
}

QString SettingsDialog::Language() const
{
    return m_cboLanguage->currentData().toString();
}

double SettingsDialog::SimulatorSpeed() const
{
    return m_spnSimSpeed->value();
}

void SettingsDialog::Apply() const
{
    if (Device() != CurrentDevice())
        WriteDevice(Device());
    if (Device() == PortRegistry::kSimulatorDevice && !qFuzzyCompare(SimulatorSpeed(), CurrentSimulatorSpeed()))
        WriteSimulatorSpeed(SimulatorSpeed());
    if (Language() != AppEnvironment::Language())
        AppEnvironment::SetLanguage(Language());
    m_pagDatabase->Apply();
}

QString SettingsDialog::CurrentDevice()
{
    bool found = false;
    const std::int32_t number = instrumentPort(&found);
    if (!found)
        return QString();
    return PortRegistry::ReadRegistry().at(number).device;
}

void SettingsDialog::WriteDevice(const QString& device)
{
    bool found = false;
    const std::int32_t number = instrumentPort(&found);
    const QString key = PortRegistry::kPortsKey + QLatin1Char('\\') + QString::number(number);
    RegistryStore::instance().SetValue(Hive::LocalMachine, key, kInstrumentValue, Variant(QString::fromLatin1(kInstrument)));
    RegistryStore::instance().SetValue(Hive::LocalMachine, key, kDeviceValue, Variant(device));
}

double SettingsDialog::CurrentSimulatorSpeed()
{
    bool found = false;
    const std::int32_t number = instrumentPort(&found);
    if (!found)
        return 1.0;
    bool ok = false;
    const double speed = PortRegistry::ReadRegistry().at(number).values.value(kTimeScaleValue).toDouble(&ok);
    return ok && speed > 0 ? speed : 1.0;
}

void SettingsDialog::WriteSimulatorSpeed(double speed)
{
    bool found = false;
    const std::int32_t number = instrumentPort(&found);
    const QString key = PortRegistry::kPortsKey + QLatin1Char('\\') + QString::number(number);
    RegistryStore::instance().SetValue(Hive::LocalMachine, key, kTimeScaleValue, Variant(numberToText(speed)));
}

} // namespace ostrel
