#include "SequenceDocument.h"

#include "host/contract/ILimitData.h"
#include "host/contract/IProgress.h"
#include "host/contract/IStandards.h"
#include "host/core/ComError.h"
#include "host/core/Steps.h"
#include "host/results/Progress.h"
#include "host/storage/StorageElement.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace ostrel {

namespace {

// The stored vocabulary of a sequence document.
const QString kRootTag = QStringLiteral("OstrelSequence");
const QString kFormatAttr = QStringLiteral("Format");
const QString kFormatVersion = QStringLiteral("1");
const QString kMetadataTag = QStringLiteral("Metadata");
const QString kTitleTag = QStringLiteral("Title");
const QString kCreatedTag = QStringLiteral("Created");
const QString kSavedTag = QStringLiteral("Saved");
const QString kDutTag = QStringLiteral("DeviceUnderTest");
const QString kSerialNumberAttr = QStringLiteral("SerialNumber");
const QString kModelAttr = QStringLiteral("Model");
const QString kLocationAttr = QStringLiteral("Location");
const QString kTechnicianAttr = QStringLiteral("Technician");
const QString kStandardsTag = QStringLiteral("Standards");
const QString kStandardTag = QStringLiteral("Standard");
const QString kShortNameAttr = QStringLiteral("ShortName");
const QString kFullNameAttr = QStringLiteral("FullName");
const QString kInstrumentsTag = QStringLiteral("Instruments");
const QString kInstrumentTag = QStringLiteral("Instrument");
const QString kNameAttr = QStringLiteral("Name");
const QString kNumberAttr = QStringLiteral("Number");
const QString kSerialNoAttr = QStringLiteral("SerialNo");
const QString kFirmwareAttr = QStringLiteral("FWVersion");
const QString kSequenceTag = QStringLiteral("Sequence");
const QString kElementTag = QStringLiteral("Element");
const QString kPlugInAttr = QStringLiteral("PlugIn");
const QString kTestIdAttr = QStringLiteral("TestID");
const QString kIdAttr = QStringLiteral("ID");
const QString kEnabledAttr = QStringLiteral("Enabled");
const QString kStartedAttr = QStringLiteral("Started");
const QString kEndedAttr = QStringLiteral("Ended");
constexpr char kSource[] = "ostrel.SequenceDocument";

[[noreturn]] void fail(const QString& path, const QString& where, const QString& why)
{
    throw ComError(kE_Fail, kSource, QStringLiteral("%1: %2: %3").arg(path, where, why), 2);
}

// "2026-12-08T12:48:34Z", as Qt::ISODate writes a UTC time; written by hand for the years
// of four digits, because every element of a large sequence stores two.
QString isoTime(const QDateTime& time)
{
    if (!time.isValid())
        return QString();
    const QDateTime utc = time.toUTC();
    const QDate date = utc.date();
    const QTime clock = utc.time();
    if (date.year() < 1 || date.year() > 9999)
        return utc.toString(Qt::ISODate);
    char text[80];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", date.year(), date.month(), date.day(),
                                     clock.hour(), clock.minute(), clock.second());
    return QString::fromLatin1(text, length);
}

// An attribute that must hold a whole number.
std::int32_t numberAttribute(const StorageElement& element, const QString& name, bool* ok)
{
    return element.Attribute(name).trimmed().toInt(ok);
}

// The element data as the element core saved it: its direct children, or the saved element
// itself when the core wrote no wrapper of its own.
void loadElementData(const TestElementPtr& element, const StorageElement& stored, ProgressPtr progress)
{
    for (int i = 0; i < stored.ChildCount(); ++i) {
        const StorageElement saved = stored.Child(i);
        // The host's own part of the element is no data of the element.
        if (saved.node().type() != pugi::node_element || saved.Name() == QLatin1String(PressureCurve::kElement))
            continue;
        element->Load(saved, progress);
    }
}

} // namespace

SequenceDocument::SequenceDocument()
    : m_created(QDateTime::currentDateTimeUtc()), m_instruments(std::make_shared<InstrumentList>())
{
}

SequenceDocument::~SequenceDocument()
{
    for (auto& entry : m_entries)
        runStep("terminate element", [&] { entry.element->Terminate(); });
}

void SequenceDocument::SetTitle(const QString& title)
{
    if (title != m_title) {
        m_title = title;
        m_modified = true;
    }
}

void SequenceDocument::SetDut(const DeviceUnderTest& dut)
{
    if (!(dut == m_dut)) {
        m_dut = dut;
        m_modified = true;
    }
}

void SequenceDocument::SetSelectedStandards(const QList<StandardRef>& standards)
{
    if (standards != SelectedStandards())
        m_modified = true;
    m_standards = standards;
    m_selectionChosen = true;
}

QList<StandardRef> SequenceDocument::SelectedStandards() const
{
    return m_selectionChosen ? m_standards : ElementStandards();
}

QList<StandardRef> SequenceDocument::ElementStandards() const
{
    QList<StandardRef> refs;
    for (const auto& entry : m_entries)
        runStep("element standards", [&] {
            const auto limits = entry.element->Limits();
            const auto standards = limits ? limits->Standards() : nullptr;
            for (std::int32_t i = 0; standards && i < standards->Count(); ++i) {
                const auto standard = standards->Item(i);
                const StandardRef ref{standard->ShortName(), standard->FullName()};
                if (!refs.contains(ref))
                    refs.append(ref);
            }
        });
    return refs;
}

int SequenceDocument::IndexOf(const ITestElement* element, int expected) const
{
    if (expected >= 0 && expected < Count() && m_entries[static_cast<size_t>(expected)].element.get() == element)
        return expected;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].element.get() == element)
            return static_cast<int>(i);
    return -1;
}

std::int32_t SequenceDocument::nextElementId() const
{
    std::int32_t highest = 0;
    for (const auto& entry : m_entries)
        highest = std::max(highest, entry.element->ID());
    return highest + 1;
}

void SequenceDocument::Add(TestElementPtr element, int index)
{
    if (!element)
        throw ComError(kE_Pointer, kSource, QStringLiteral("No element to add"));
    element->SetID(nextElementId());
    const int at = (index < 0 || index > Count()) ? Count() : index;
    m_entries.insert(m_entries.begin() + at, SequenceEntry{std::move(element), true, {}, {}});
    m_modified = true;
}

void SequenceDocument::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    auto element = m_entries[static_cast<size_t>(index)].element;
    m_entries.erase(m_entries.begin() + index);
    runStep("terminate element", [&] { element->Terminate(); });
    m_modified = true;
}

void SequenceDocument::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    auto entry = m_entries[static_cast<size_t>(from)];
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, std::move(entry));
    m_modified = true;
}

void SequenceDocument::SetEnabled(int index, bool enabled)
{
    if (index < 0 || index >= Count() || m_entries[static_cast<size_t>(index)].enabled == enabled)
        return;
    m_entries[static_cast<size_t>(index)].enabled = enabled;
    m_modified = true;
}

void SequenceDocument::SetRunTimes(int index, const QDateTime& started, const QDateTime& ended)
{
    if (index < 0 || index >= Count())
        return;
    SequenceEntry& entry = m_entries[static_cast<size_t>(index)];
    entry.started = started;
    entry.ended = ended;
    m_modified = true;
}

void SequenceDocument::SetCurve(int index, const PressureCurve& curve)
{
    if (index < 0 || index >= Count())
        return;
    m_entries[static_cast<size_t>(index)].curve = curve;
    m_modified = true;
}

void SequenceDocument::Rename(int index, const QString& name)
{
    if (index < 0 || index >= Count())
        return;
    auto info = m_entries[static_cast<size_t>(index)].element->Info();
    if (info && info->Name() != name) {
        info->SetName(name);
        m_modified = true;
    }
}

QString SequenceDocument::ElementName(const TestElementPtr& element)
{
    QString name;
    runStep("element name", [&] {
        if (auto info = element->Info())
            name = info->Name();
    });
    if (name.isEmpty())
        runStep("element id", [&] { name = QStringLiteral("Test %1").arg(element->TestID()); });
    return name;
}

std::shared_ptr<StorageDocument> SequenceDocument::toStorage() const
{
    auto doc = StorageDocument::Create();
    doc->SetRoot(doc->CreateElement(kRootTag));
    StorageElement root = doc->Root();
    root.SetAttribute(kFormatAttr, kFormatVersion);

    StorageElement meta = doc->CreateElement(kMetadataTag);
    meta.AddChild(kTitleTag, m_title);
    meta.AddChild(kCreatedTag, isoTime(m_created));
    meta.AddChild(kSavedTag, isoTime(QDateTime::currentDateTimeUtc()));
    root.AppendChild(meta);

    StorageElement dut = doc->CreateElement(kDutTag);
    dut.SetAttribute(kSerialNumberAttr, m_dut.serialNumber);
    dut.SetAttribute(kModelAttr, m_dut.model);
    dut.SetAttribute(kLocationAttr, m_dut.location);
    dut.SetAttribute(kTechnicianAttr, m_dut.technician);
    root.AppendChild(dut);

    StorageElement standards = doc->CreateElement(kStandardsTag);
    for (const auto& ref : SelectedStandards()) {
        StorageElement standard = standards.AddChild(kStandardTag, QString());
        standard.SetAttribute(kShortNameAttr, ref.shortName);
        standard.SetAttribute(kFullNameAttr, ref.fullName);
    }
    root.AppendChild(standards);

    StorageElement instruments = doc->CreateElement(kInstrumentsTag);
    for (const auto& mti : m_instruments->items()) {
        StorageElement item = instruments.AddChild(kInstrumentTag, QString());
        item.SetAttribute(kNameAttr, mti->Name());
        item.SetAttribute(kNumberAttr, QString::number(mti->Number()));
        item.SetAttribute(kSerialNoAttr, mti->SerialNo());
        item.SetAttribute(kFirmwareAttr, mti->FWVersion());
        item.SetAttribute(kModelAttr, mti->Model());
    }
    root.AppendChild(instruments);

    StorageElement sequence = doc->CreateElement(kSequenceTag);
    for (const auto& entry : m_entries) {
        const auto& element = entry.element;
        StorageElement stored = sequence.AddChild(kElementTag, QString());
        stored.SetAttribute(kPlugInAttr, element->PlugInID());
        stored.SetAttribute(kTestIdAttr, QString::number(element->TestID()));
        stored.SetAttribute(kIdAttr, QString::number(element->ID()));
        stored.SetAttribute(kNameAttr, ElementName(element));
        stored.SetAttribute(kEnabledAttr, entry.enabled ? QStringLiteral("1") : QStringLiteral("0"));
        if (entry.started.isValid() && entry.ended.isValid()) {
            stored.SetAttribute(kStartedAttr, isoTime(entry.started));
            stored.SetAttribute(kEndedAttr, isoTime(entry.ended));
        }
        if (!entry.curve.IsEmpty())
            stored.AppendChild(entry.curve.Save(doc));
        const StorageElement saved = element->Save(doc);
        if (!saved)
            continue;
        // A core that wraps its data in an element of its own: keep only what is inside, so
        // that loading hands each part back through ITestElement::Load.
        const QString name = saved.Name();
        if (name == QLatin1String("PlugInData") || name == QLatin1String("ExpectedResult") ||
            name == QLatin1String("ResultItem")) {
            stored.AppendChild(saved);
        } else {
            while (saved.ChildCount() > 0)
                stored.AppendChild(saved.Child(0));
        }
    }
    root.AppendChild(sequence);
    return doc;
}

void SequenceDocument::SaveAs(const QString& path)
{
    auto doc = toStorage();
    doc->SaveFile(path);
    m_path = QFileInfo(path).absoluteFilePath();
    m_saved = QDateTime::currentDateTimeUtc();
    m_modified = false;
}

void SequenceDocument::Save()
{
    if (m_path.isEmpty())
        throw ComError(kE_Fail, kSource, QStringLiteral("The sequence has not been saved to a file yet"));
    SaveAs(m_path);
}

std::unique_ptr<SequenceDocument> SequenceDocument::Load(const QString& path, const ElementFactory& factory,
                                                         ProgressPtr progress)
{
    auto storage = StorageDocument::Create();
    storage->LoadFile(path); // names the file and the offset of a parse error
    const StorageElement root = storage->Root();
    if (!root || root.Name() != kRootTag)
        fail(path, QStringLiteral("root element"),
             QStringLiteral("not a test sequence (expected <%1>, found <%2>)").arg(kRootTag, root ? root.Name() : QString()));
    if (root.Attribute(kFormatAttr) != kFormatVersion)
        fail(path, QStringLiteral("root element"),
             QStringLiteral("unsupported format \"%1\"").arg(root.Attribute(kFormatAttr)));

    auto document = std::make_unique<SequenceDocument>();
    document->m_path = QFileInfo(path).absoluteFilePath();
    try {
        document->loadFrom(root, factory, std::move(progress));
    } catch (const ComError& failure) {
        throw ComError(failure.number(), kSource, QStringLiteral("%1: %2").arg(path, failure.description()), 2);
    }
    document->m_modified = false;
    return document;
}

void SequenceDocument::loadFrom(const StorageElement& root, const ElementFactory& factory, ProgressPtr progress)
{
    if (const StorageElement meta = root.FirstChild(kMetadataTag)) {
        m_title = meta.FirstChild(kTitleTag).Text();
        m_created = QDateTime::fromString(meta.FirstChild(kCreatedTag).Text(), Qt::ISODate);
        m_saved = QDateTime::fromString(meta.FirstChild(kSavedTag).Text(), Qt::ISODate);
    }
    if (const StorageElement dut = root.FirstChild(kDutTag)) {
        m_dut.serialNumber = dut.Attribute(kSerialNumberAttr);
        m_dut.model = dut.Attribute(kModelAttr);
        m_dut.location = dut.Attribute(kLocationAttr);
        m_dut.technician = dut.Attribute(kTechnicianAttr);
    }
    if (const StorageElement standards = root.FirstChild(kStandardsTag)) {
        m_selectionChosen = true;
        for (int i = 0; i < standards.ChildCount(); ++i) {
            const StorageElement item = standards.Child(i);
            if (item.Name() == kStandardTag)
                m_standards.append({item.Attribute(kShortNameAttr), item.Attribute(kFullNameAttr)});
        }
    }
    if (const StorageElement instruments = root.FirstChild(kInstrumentsTag)) {
        for (int i = 0; i < instruments.ChildCount(); ++i) {
            const StorageElement item = instruments.Child(i);
            if (item.Name() != kInstrumentTag)
                continue;
            bool ok = false;
            const std::int32_t number = numberAttribute(item, kNumberAttr, &ok);
            if (!ok)
                throw ComError(kE_Fail, kSource,
                               QStringLiteral("instrument %1: the number \"%2\" is not a whole number")
                                   .arg(QString::number(i + 1), item.Attribute(kNumberAttr)),
                               2);
            auto mti = std::make_shared<MtiData>();
            mti->SetName(item.Attribute(kNameAttr), number);
            mti->SetValues(item.Attribute(kSerialNoAttr), item.Attribute(kFirmwareAttr), item.Attribute(kModelAttr));
            m_instruments->Add(mti);
        }
    }
    const StorageElement sequence = root.FirstChild(kSequenceTag);
    if (!sequence)
        throw ComError(kE_Fail, kSource, QStringLiteral("the document holds no <%1> element").arg(kSequenceTag), 2);
    int position = 0;
    QSet<std::int32_t> ids;
    for (int i = 0; i < sequence.ChildCount(); ++i) {
        const StorageElement stored = sequence.Child(i);
        if (stored.Name() != kElementTag)
            continue;
        ++position;
        const QString where = QStringLiteral("element %1 \"%2\"").arg(QString::number(position), stored.Attribute(kNameAttr));
        try {
            bool testOk = false;
            bool idOk = false;
            const std::int32_t testId = numberAttribute(stored, kTestIdAttr, &testOk);
            const std::int32_t id = numberAttribute(stored, kIdAttr, &idOk);
            if (!testOk || !idOk)
                throw ComError(kE_Fail, kSource, QStringLiteral("the test ID or element ID is not a whole number"), 2);
            TestElementPtr element = factory(stored.Attribute(kPlugInAttr), testId);
            if (!element)
                throw ComError(kE_Fail, kSource,
                               QStringLiteral("plug-in \"%1\" offers no test %2").arg(stored.Attribute(kPlugInAttr), QString::number(testId)), 2);
            // Only "1" and "0" say whether an element runs; anything else is no answer.
            const QString enabled = stored.Attribute(kEnabledAttr).trimmed();
            const bool enabledKnown = !stored.HasAttribute(kEnabledAttr) || enabled == QLatin1String("1") || enabled == QLatin1String("0");
            if (!enabledKnown)
                refuse(where, QStringLiteral("Enabled=\"%1\" is refused: allowed are \"1\" and \"0\"").arg(enabled), progress);
            if (ids.contains(id))
                refuse(where, QStringLiteral("ID=\"%1\" is refused: another element has that ID").arg(id), progress);
            ids.insert(id);
            m_entries.push_back({element, enabled != QLatin1String("0"),
                                 QDateTime::fromString(stored.Attribute(kStartedAttr), Qt::ISODate),
                                 QDateTime::fromString(stored.Attribute(kEndedAttr), Qt::ISODate),
                                 PressureCurve::Load(stored.FirstChild(QLatin1String(PressureCurve::kElement)))});
            element->SetID(id);
            if (auto info = element->Info(); info && stored.HasAttribute(kNameAttr))
                info->SetName(stored.Attribute(kNameAttr));
            loadElement(element, stored, where, progress);
        } catch (const ComError& failure) {
            throw ComError(failure.number(), kSource, QStringLiteral("%1: %2").arg(where, failure.description()), 2);
        } catch (...) {
            const ComError failure = ComError::fromCurrent();
            throw ComError(failure.number(), kSource, QStringLiteral("%1: %2").arg(where, failure.description()), 2);
        }
    }
}

void SequenceDocument::refuse(const QString& where, const QString& why, const ProgressPtr& progress)
{
    const QString line = QStringLiteral("%1: %2: %3").arg(m_path, where, why);
    m_problems.append(line);
    if (progress)
        runStep("report a refused value", [&] { progress->Report(kE_Fail, kRefusedSeverity, line, Variant()); });
}

void SequenceDocument::loadElement(const TestElementPtr& element, const StorageElement& stored, const QString& where,
                                   ProgressPtr progress)
{
    auto own = std::make_shared<Progress>();
    // Whatever happens, what was reported so far is passed on.
    struct PassOn {
        SequenceDocument& document;
        const std::shared_ptr<Progress>& own;
        const QString& where;
        const ProgressPtr& progress;
        ~PassOn()
        {
            for (const auto& entry : own->Log()) {
                const QString text = entry.stepText.isEmpty() ? entry.text : QStringLiteral("%1 (%2)").arg(entry.text, entry.stepText);
                if (entry.severity >= kRefusedSeverity)
                    document.refuse(where, text, progress);
                else if (progress)
                    runStep("pass a progress entry on",
                            [&] { progress->Report(entry.number, entry.severity, QStringLiteral("%1: %2").arg(where, text), Variant()); });
            }
        }
    } passOn{*this, own, where, progress};
    loadElementData(element, stored, own);
}

} // namespace ostrel
