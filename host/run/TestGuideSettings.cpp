#include "TestGuideSettings.h"

#include "host/core/ErrorService.h"
#include "host/core/Variant.h"
#include "host/core/BasicNumber.h"

namespace ostrel {

namespace {
constexpr char kSource[] = "Ostrel.TestGuideSettings";
const QString kOption = QStringLiteral("Option");
const QString kIndex = QStringLiteral("Index");
} // namespace

TestGuideSettings::TestGuideSettings() : m_options{true} {}

bool TestGuideSettings::Option(int index) const
{
    return index >= 0 && index < Count() && m_options[static_cast<size_t>(index)];
}

void TestGuideSettings::SetOption(int index, bool value)
{
    if (index >= 0 && index < Count())
        m_options[static_cast<size_t>(index)] = value;
}

QString TestGuideSettings::OptionText(int index) const
{
    return index == kSkipNA ? QString::fromLatin1(kSkipNAText) : QString();
}

std::shared_ptr<TestGuideSettings> TestGuideSettings::Clone() const
{
    auto copy = std::make_shared<TestGuideSettings>();
    copy->m_options = m_options;
    return copy;
}

void TestGuideSettings::Load(const StorageElement& element, ProgressPtr /*progress*/)
{
    if (!element || element.Name() != QLatin1String(kElement))
        ErrorService::instance().Raise(QString(), kLoadError, kSource, 2,
                                       QStringLiteral("The element holds no test-guide settings."));
    for (int i = 0; i < element.ChildCount(); ++i) {
        const StorageElement child = element.Child(i);
        if (child.Name() != kOption)
            continue;
        const double index = leadingNumber(child.Attribute(kIndex));
        if (index >= 0 && index < Count())
            SetOption(static_cast<int>(index), leadingNumber(child.Text()) != 0);
    }
}

StorageElement TestGuideSettings::Save(const StorageDocumentPtr& document) const
{
    StorageElement element = document ? document->CreateElement(QLatin1String(kElement)) : StorageElement();
    if (!element)
        return element;
    for (int i = 0; i < Count(); ++i) {
        StorageElement option = element.AddChild(kOption, Option(i) ? QStringLiteral("1") : QStringLiteral("0"));
        option.SetAttribute(kIndex, QString::number(i));
    }
    return element;
}

} // namespace ostrel
