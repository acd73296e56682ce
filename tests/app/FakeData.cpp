#include "FakeData.h"

#include "host/contract/ICallback.h"
#include "host/contract/IDialog.h"
#include "host/contract/IReport.h"
#include "host/core/ComError.h"
#include "host/results/LimitItem.h"
#include "host/results/Standard.h"
#include "host/storage/StorageElement.h"
#include "host/core/BasicNumber.h"

#include <QLayout>
#include <QLineEdit>

namespace ostrel::testing {

namespace {
[[noreturn]] void corrupt(const QString& what)
{
    throw ComError(hr(0x8004A3ECu), QStringLiteral("FakeData"), what, 2);
}
} // namespace

FakeConfigDialog::~FakeConfigDialog()
{
    Unload();
}

void FakeConfigDialog::Dock(QWidget* parentWindow)
{
    m_editor = new QLineEdit(m_setting, parentWindow);
    m_editor->setObjectName(QStringLiteral("txtSetting"));
    if (parentWindow->layout())
        parentWindow->layout()->addWidget(m_editor);
    QObject::connect(m_editor, &QLineEdit::textEdited, m_editor, [this](const QString& text) {
        m_setting = text;
        if (m_callback)
            m_callback->Notify(QStringLiteral("Change"), Variant(VariantArray()));
    });
}

void FakeConfigDialog::Unload()
{
    delete m_editor;
    m_editor = nullptr;
}

std::shared_ptr<IConfigData> FakeConfig::Clone()
{
    auto copy = std::make_shared<FakeConfig>();
    copy->setting = setting;
    return copy;
}

void FakeConfig::Load(const StorageElement& element, ProgressPtr)
{
    if (element.Attribute(QStringLiteral("PlugIn")) != QLatin1String("FAKE"))
        corrupt(QStringLiteral("configuration of another plug-in"));
    setting = element.FirstChild(QStringLiteral("Setting")).Text();
}

StorageElement FakeConfig::Save(const StorageDocumentPtr& document)
{
    StorageElement element = document->CreateElement(QStringLiteral("PlugInData"));
    element.SetAttribute(QStringLiteral("PlugIn"), QStringLiteral("FAKE"));
    element.AddChild(QStringLiteral("Setting"), setting);
    return element;
}

void FakeConfig::PrintReport(ReportPtr report)
{
    report->AddTable(QStringLiteral("<2000|<2000;"), QStringLiteral("|Configuration;"),
                     QStringLiteral("|Setting|%1;").arg(setting));
}

std::shared_ptr<ILimitData> FakeLimits::Clone()
{
    auto copy = std::make_shared<FakeLimits>();
    if (standards)
        copy->standards = std::dynamic_pointer_cast<ostrel::Standards>(standards->Clone());
    return copy;
}

std::shared_ptr<IStandard> FakeLimits::CreateStandard(const Variant& shortName, const Variant& fullName)
{
    auto standard = std::make_shared<Standard>();
    standard->Initialize(shortName, fullName, 1);
    if (!standards)
        standards = std::make_shared<ostrel::Standards>();
    standards->Add(standard);
    return standard;
}

void FakeLimits::Load(const StorageElement& element, ProgressPtr progress)
{
    if (element.Name() != QLatin1String("ExpectedResult"))
        corrupt(QStringLiteral("not limits"));
    standards = std::make_shared<ostrel::Standards>();
    standards->Load(element, progress);
}

StorageElement FakeLimits::Save(const StorageDocumentPtr& document)
{
    if (!standards)
        return {};
    StorageElement element = standards->Save(document);
    element.Rename(QStringLiteral("ExpectedResult"));
    return element;
}

FakeMeasurement::FakeMeasurement(QString key_, QString description_, Variant value_, Variant preset_, QString unit_,
                                 std::int32_t status_, QString flags_)
    : key(std::move(key_)), description(std::move(description_)), value(std::move(value_)), preset(std::move(preset_)),
      unit(std::move(unit_)), status(status_), flags(std::move(flags_))
{
}

void FakeMeasurement::Load(const StorageElement& element, ProgressPtr)
{
    key = element.Attribute(QStringLiteral("Key"));
    if (key.isEmpty())
        corrupt(QStringLiteral("measurement without key"));
    flags = element.Attribute(QStringLiteral("Flags"));
    description = element.FirstChild(QStringLiteral("Description")).Text();
    const QString valueText = element.FirstChild(QStringLiteral("Value")).Text();
    value = valueText.isEmpty() ? Variant() : Variant(valueText.toDouble());
    const QString presetText = element.FirstChild(QStringLiteral("PresetValue")).Text();
    preset = presetText.isEmpty() ? Variant() : Variant(presetText.toDouble());
    unit = element.FirstChild(QStringLiteral("Unit")).Text();
    bool ok = false;
    status = element.FirstChild(QStringLiteral("Status")).Text().toInt(&ok);
    if (!ok)
        corrupt(QStringLiteral("measurement without status"));
}

StorageElement FakeMeasurement::Save(const StorageDocumentPtr& document)
{
    StorageElement element = document->CreateElement(QStringLiteral("Measurement"));
    element.SetAttribute(QStringLiteral("Key"), key);
    if (!flags.isEmpty())
        element.SetAttribute(QStringLiteral("Flags"), flags);
    element.AddChild(QStringLiteral("Description"), description);
    if (!value.isEmptyOrNull())
        element.AddChild(QStringLiteral("Value"), numberToText(value.toDouble()));
    if (!preset.isEmptyOrNull())
        element.AddChild(QStringLiteral("PresetValue"), numberToText(preset.toDouble()));
    element.AddChild(QStringLiteral("Unit"), unit);
    element.AddChild(QStringLiteral("Status"), QString::number(status));
    return element;
}

std::shared_ptr<IMeasurement> FakeResult::Measurement(const Variant& index)
{
    if (index.isString()) {
        for (const auto& m : measurements)
            if (m->key == index.text())
                return m;
        return nullptr;
    }
    const int position = index.toLong();
    if (position < 1 || position > static_cast<int>(measurements.size()))
        return nullptr;
    return measurements[static_cast<size_t>(position - 1)];
}

void FakeResult::Load(const StorageElement& element, ProgressPtr progress)
{
    if (element.Name() != QLatin1String("ResultItem"))
        corrupt(QStringLiteral("not a result"));
    bool ok = false;
    status = element.Attribute(QStringLiteral("Status")).toInt(&ok);
    if (!ok)
        corrupt(QStringLiteral("result without status"));
    mtiId = element.Attribute(QStringLiteral("MTI")).toInt();
    comment = element.FirstChild(QStringLiteral("Comment")).Text();
    measurements.clear();
    for (int i = 0; i < element.ChildCount(); ++i) {
        const StorageElement child = element.Child(i);
        if (child.Name() != QLatin1String("Measurement"))
            continue;
        auto measurement = std::make_shared<FakeMeasurement>();
        measurement->Load(child, progress);
        measurements.push_back(measurement);
    }
}

StorageElement FakeResult::Save(const StorageDocumentPtr& document)
{
    StorageElement element = document->CreateElement(QStringLiteral("ResultItem"));
    element.SetAttribute(QStringLiteral("Status"), QString::number(status));
    element.SetAttribute(QStringLiteral("MTI"), QString::number(mtiId));
    element.AddChild(QStringLiteral("Comment"), comment);
    for (const auto& m : measurements)
        element.AppendChild(m->Save(document));
    return element;
}

void FakeResult::PrintReport(ReportPtr report, const Variant&)
{
    QString rows;
    for (const auto& m : measurements)
        rows += QStringLiteral("|%1|%2|%3;").arg(m->description, numberToText(m->value.toDouble()),
                                                 m->status == 2 ? QStringLiteral("Failed") : QStringLiteral("Passed"));
    report->AddTable(QStringLiteral("<2000|<2000|<2000;"), QStringLiteral("|Result:;"), rows);
}

} // namespace ostrel::testing
