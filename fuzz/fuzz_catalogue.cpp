// Fuzzes the catalogue loader: the plug-in initialised from any catalogue file either fails
// with a ComError and stays uninitialised, or hands out its catalogue.
#include "host/catalog/TestCollection.h"
#include "host/catalog/TestInfo.h"
#include "host/core/ClassTable.h"
#include "host/core/RegistryStore.h"
#include "plugin/core/CPlugInNB4410.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

// A test element with a group variant, enough for the loader to build prototypes.
class CFuzzElement : public virtual ostrel::ITestElement {
public:
    QString PlugInID() override { return m_plugIn; }
    std::int32_t TestID() override { return m_testId; }
    std::int32_t ID() override { return m_id; }
    void SetID(std::int32_t id) override { m_id = id; }
    ostrel::TestElementPtr Parent() override { return nullptr; }
    void SetParent(ostrel::TestElementPtr) override {}
    std::shared_ptr<ostrel::ITestInfo> Info() override { return m_info; }
    std::shared_ptr<ostrel::IFilter> Filter() override { return nullptr; }
    std::shared_ptr<ostrel::IResultData> Result() override { return nullptr; }
    std::shared_ptr<ostrel::ILimitData> Limits() override { return nullptr; }
    std::shared_ptr<ostrel::IConfigData> Configuration() override { return nullptr; }
    void Initialize(const QString& plugIn, std::int32_t testId, std::int32_t id) override
    {
        m_plugIn = plugIn;
        m_testId = testId;
        m_id = id;
    }
    ostrel::TestElementPtr Clone() override { return std::make_shared<CFuzzElement>(*this); }
    void Perform(std::shared_ptr<ostrel::IRunContext>) override {}
    void Load(const ostrel::StorageElement&, ostrel::ProgressPtr) override {}
    ostrel::StorageElement Save(const ostrel::StorageDocumentPtr&, const ostrel::Variant&) override { return {}; }
    void PrintReport(ostrel::ReportPtr, const ostrel::Variant&) override {}
    bool QuerySetParent(ostrel::TestElementPtr) override { return true; }
    void Terminate() override {}
    void UpdateReferences() override {}
    ostrel::Variant GetMeasurementList() override { return {}; }

private:
    QString m_plugIn;
    std::int32_t m_testId = 0;
    std::int32_t m_id = 0;
    std::shared_ptr<ostrel::TestInfo> m_info = std::make_shared<ostrel::TestInfo>();
};

class CFuzzGroup : public CFuzzElement, public ostrel::ITestList {
public:
    std::int32_t Count() override { return m_members.Count(); }
    ostrel::TestElementPtr Item(std::int32_t index) override { return m_members.Item(index); }
    void Add(ostrel::TestElementPtr element, ostrel::TestElementPtr, std::int32_t flags) override
    {
        m_members.Add(element, nullptr, flags);
    }
    ostrel::TestElementPtr Find(std::int32_t id) override { return m_members.Find(id); }
    void Clear() override { m_members.Clear(); }

private:
    ostrel::TestCollection m_members;
};

const ostrel::ClassRegistrar kElement("Fuzz.CElement", {&ostrel::createObject<CFuzzElement>, nullptr});
const ostrel::ClassRegistrar kGroup("Fuzz.CGroup", {&ostrel::createObject<CFuzzGroup>, nullptr});

struct Files {
    Files()
    {
        const QString registry = dir.filePath(QStringLiteral("fuzz.reg"));
        QFile out(registry);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(QStringLiteral("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Halvard\\Ostrel\\NB-4410]\n"
                                 "\"Configuration\"=\"%1\"\n")
                      .arg(catalogue)
                      .toUtf8());
        out.close();
        ostrel::RegistryStore::instance().UseFiles({registry}, dir.filePath(QStringLiteral("user.reg")));
    }
    QTemporaryDir dir{QStringLiteral("/dev/shm/ostrel-fuzz-XXXXXX")};
    QString catalogue = dir.filePath(QStringLiteral("catalogue.mpc"));
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static Files files;
    {
        QFile out(files.catalogue);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    nb4410::CPlugInNB4410 plugIn;
    try {
        plugIn.Initialize(nullptr);
    } catch (const ostrel::ComError&) {
        if (plugIn.Flags() != 0)
            std::abort(); // a failed Initialize left the plug-in initialised
        return 0;
    }
    auto tests = plugIn.Tests();
    for (std::int32_t i = 0; i < tests->Count(); ++i) {
        const std::int32_t id = tests->Item(i)->ID();
        if (plugIn.CreateTest(id) == tests->Find(id))
            std::abort(); // a prototype was handed out instead of a copy
    }
    return 0;
}
