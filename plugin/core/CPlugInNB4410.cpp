#include "CPlugInNB4410.h"

#include "host/catalog/TestCollection.h"
#include "host/catalog/XmlFactory.h"
#include "host/core/AppUtil.h"
#include "host/core/BasicNumber.h"
#include "host/core/ClassTable.h"
#include "host/core/ErrorService.h"
#include "host/core/LanguageService.h"
#include "host/core/Steps.h"
#include "plugin/tests/common/MVti.h"

#include <array>

namespace nb4410 {

namespace {

using ostrel::ErrorService;

const QString kPlugIn = QStringLiteral("NB-4410");
constexpr char kSource[] = "VessorNB4410.CPlugInNB4410";

constexpr ostrel::HResult kNotInitialised = ostrel::hr(0x8004A229u);
constexpr ostrel::HResult kCatalogueInvalid = ostrel::hr(0x8004A22Cu);
constexpr ostrel::HResult kTestNotInCatalogue = ostrel::hr(0x8004A233u);
// Failures of the host's document and element objects that a catalogue load passes on as they are.
constexpr std::array kPassedOnAsTheyAre{ostrel::hr(0x80047730u), ostrel::hr(0x80047737u), kCatalogueInvalid};

constexpr std::int32_t kAddFlags = 1;
constexpr QRgb kSeeThrough = 0xFFFF00FFu;
// Groups nest far less deeply than this; a deeper catalogue is refused rather than followed
// until the stack runs out.
constexpr int kMaxGroupDepth = 64;
constexpr std::int32_t kInitialisedFlag = 1;

// Every public operation ends here on failure: the failure goes on to the caller with the
// plug-in's source.
template <class F>
auto guarded(F&& fn) -> decltype(fn())
{
    try {
        return fn();
    } catch (...) {
        ErrorService::instance().PassOn(kSource);
    }
}

} // namespace

CPlugInNB4410::~CPlugInNB4410()
{
    releaseCatalogue();
    // The host lets the plug-in go before the program ends: the driver global, and with it
    // the driver and its link, go now rather than in static destruction.
    MVti::Reset();
}

void CPlugInNB4410::releaseCatalogue()
{
    if (m_catalogue) {
        ostrel::runStep("release the catalogue", [&] { m_catalogue->Clear(); });
        m_catalogue.reset();
    }
}

QString CPlugInNB4410::ID()
{
    return kPlugIn;
}

QString CPlugInNB4410::IconResource(std::int32_t testId, std::int32_t size)
{
    if (size != 0 && size != 1)
        return QString();
    const bool small = size == 0;
    switch (testId) {
    case 0:
        return small ? QStringLiteral("NB4410(16X16X256)") : QString();
    case 110:
    case 120:
    case 130:
    case 140:
        return small ? QStringLiteral("TE:BPT(16X16X256)") : QStringLiteral("TE:BPT(32X16X256)");
    case 200:
        return small ? QStringLiteral("TE:CVT(16X16X256)") : QStringLiteral("TE:CVT(32X16X256)");
    case 300:
        return small ? QStringLiteral("TE:LET(16X16X256)") : QStringLiteral("TE:LET(32X16X256)");
    case 400:
        return small ? QStringLiteral("TE:OPT(16X16X256)") : QStringLiteral("TE:OPT(32X16X256)");
    default:
        return QString();
    }
}

QImage CPlugInNB4410::Icon(std::int32_t testId, std::int32_t size, const ostrel::Variant&)
{
    return guarded([&] {
        const QString resource = IconResource(testId, size);
        if (resource.isEmpty())
            return QImage();
        QImage image(QStringLiteral(":/nb4410/icons/") + resource, "BMP");
        // The bitmaps keep magenta as their see-through colour; the picture carries it as such.
        QList<QRgb> colours = image.colorTable();
        for (QRgb& colour : colours)
            if (colour == kSeeThrough)
                colour = qRgba(255, 0, 255, 0);
        image.setColorTable(colours);
        return image;
    });
}

QString CPlugInNB4410::Name()
{
    return guarded([] { return ostrel::tr4410(QStringLiteral("20000::NB-4410 NIBP Analyzer")); });
}

QString CPlugInNB4410::Version()
{
    return ostrel::ProjectVersion();
}

void CPlugInNB4410::requireInitialised()
{
    if (!m_initialised || !m_catalogue)
        ErrorService::instance().Raise(kPlugIn, kNotInitialised, kSource, 4);
}

std::shared_ptr<ostrel::ITestList> CPlugInNB4410::Tests()
{
    return guarded([&] {
        requireInitialised();
        return m_catalogue;
    });
}

void CPlugInNB4410::Initialize(ostrel::ObjectPtr)
{
    guarded([&] {
        // A new Initialize starts from the uninitialised state, and stays there if it fails.
        releaseCatalogue();
        m_initialised = false;
        m_flags = 0;
        m_setup = std::make_shared<CPlugInSetup>();
        m_setup->Initialize();
        m_catalogue = LoadCatalogue(m_setup->ConfigFile());
        m_flags |= kInitialisedFlag;
        m_initialised = true;
    });
}

std::shared_ptr<ostrel::ITestElement> CPlugInNB4410::CreateTest(std::int32_t testId)
{
    return guarded([&] {
        requireInitialised();
        const ostrel::TestElementPtr prototype = m_catalogue->Find(testId);
        if (!prototype)
            ErrorService::instance().Raise(kPlugIn, kTestNotInCatalogue, kSource, 1);
        return prototype->Clone();
    });
}

std::shared_ptr<ostrel::ITestList> CPlugInNB4410::LoadCatalogue(const QString& path)
{
    const ostrel::StorageDocumentPtr document = ostrel::XmlFactory::Load(path);
    const ostrel::StorageElement templates = document->Root().FirstChild(QStringLiteral("TemplateData"));
    if (!templates || templates.ChildCount() == 0)
        ErrorService::instance().Raise(kPlugIn, kCatalogueInvalid, kSource, 3);
    auto collection = std::make_shared<ostrel::TestCollection>();
    for (int i = 0, n = templates.ChildCount(); i < n; ++i) {
        const ostrel::StorageElement entry = templates.Child(i);
        if (entry.Name() != QLatin1String("TestElement"))
            continue;
        if (ostrel::TestElementPtr element = BuildElement(entry))
            collection->Add(element, nullptr, kAddFlags);
    }
    return collection;
}

ostrel::TestElementPtr CPlugInNB4410::BuildElement(const ostrel::StorageElement& xml, int depth)
{
    ostrel::TestElementPtr element;
    try {
        if (depth > kMaxGroupDepth)
            ErrorService::instance().Raise(kPlugIn, kCatalogueInvalid, kSource, 3,
                                           QStringLiteral("The catalogue's groups nest too deeply."));
        const QString className = xml.Attribute(QStringLiteral("ClassName"));
        if (className.isEmpty())
            ErrorService::instance().Raise(kPlugIn, kCatalogueInvalid, kSource, 3);
        const ostrel::ObjectPtr object = ostrel::ClassRegistry::instance().Create(className);
        element = ostrel::require<ostrel::ITestElement>(object);

        const QString idText = xml.Attribute(QStringLiteral("ID"));
        if (idText.isEmpty())
            ErrorService::instance().Raise(kPlugIn, kCatalogueInvalid, kSource, 3);
        const std::int32_t id = ostrel::roundToLong(ostrel::leadingNumber(idText));

        element->Initialize(kPlugIn, id, id);
        ApplyInfo(element, xml);

        if (auto group = ostrel::query<ostrel::ITestList>(object)) {
            for (int i = 0, n = xml.ChildCount(); i < n; ++i) {
                const ostrel::StorageElement child = xml.Child(i);
                if (child.Name() != QLatin1String("TestElement"))
                    continue;
                if (ostrel::TestElementPtr member = BuildElement(child, depth + 1))
                    group->Add(member, nullptr, kAddFlags);
            }
        }
        return element;
    } catch (...) {
        ostrel::ComError failure = ostrel::ComError::fromCurrent();
        // The half-built prototype is not kept: let it release what it holds.
        if (element)
            ostrel::runStep("terminate a half-built prototype", [&] { element->Terminate(); });
        if (std::find(kPassedOnAsTheyAre.begin(), kPassedOnAsTheyAre.end(), failure.number()) != kPassedOnAsTheyAre.end()) {
            failure.setSeverity(3);
            ErrorService::instance().PassOn(failure, kSource);
        }
        ErrorService::instance().ReportFromError(kPlugIn, kSource, 3);
    }
}

void CPlugInNB4410::ApplyInfo(const ostrel::TestElementPtr& element, const ostrel::StorageElement& xml)
{
    std::shared_ptr<ostrel::ITestInfo> info;
    ostrel::runStep("take the element's information", [&] { info = element->Info(); });
    QString texts[4];
    const QString tags[4] = {QStringLiteral("Type"), QStringLiteral("Parameter"), QStringLiteral("Name"),
                             QStringLiteral("Description")};
    for (int i = 0; i < 4; ++i) {
        ostrel::runStep("read a catalogue text", [&] {
            const ostrel::StorageElement child = xml.FirstChild(tags[i]);
            if (child)
                texts[i] = ostrel::tr4410(child.Attribute(QStringLiteral("LID")));
        });
    }
    ostrel::runStep("set type and parameter", [&] { ostrel::require<ostrel::ITestInfo>(info)->SetTypeAndParameter(texts[0], texts[1]); });
    ostrel::runStep("set the description", [&] { ostrel::require<ostrel::ITestInfo>(info)->SetDescription(texts[3]); });
    ostrel::runStep("set the name", [&] { ostrel::require<ostrel::ITestInfo>(info)->SetName(texts[2]); });
}

OSTREL_REGISTER_CLASS("OstrelNB4410.CPlugInNB4410", CPlugInNB4410)

} // namespace nb4410
