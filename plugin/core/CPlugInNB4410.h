#pragma once
// The plug-in object: its identity, icons and version, and the catalogue of prototype test
// elements read from the catalogue file named by the settings.
#include "CPlugInSetup.h"
#include "host/contract/IPlugIn.h"
#include "host/contract/ITestElement.h"
#include "host/storage/StorageElement.h"

namespace nb4410 {

class CPlugInNB4410 : public ostrel::IPlugIn {
public:
    ~CPlugInNB4410() override;

    QString ID() override;
    QImage Icon(std::int32_t testId, std::int32_t size, const ostrel::Variant& unused = ostrel::Variant()) override;
    QString Name() override;
    std::int32_t Flags() override { return m_flags; }
    std::shared_ptr<ostrel::ISetup> Setup() override { return nullptr; }
    ostrel::Variant ControlPanel() override { return {}; }
    std::shared_ptr<ostrel::ITestList> Tests() override;
    QString Version() override;
    ostrel::ObjectPtr PlugInMenu() override { return nullptr; }
    void Initialize(ostrel::ObjectPtr host) override;
    std::shared_ptr<ostrel::ITestElement> CreateTest(std::int32_t testId) override;
    ostrel::ObjectPtr CreateDUTData() override { return nullptr; }

    // The resource name of the picture for a test ID and size (0 small, 1 large); "" for none.
    static QString IconResource(std::int32_t testId, std::int32_t size);

private:
    std::shared_ptr<ostrel::ITestList> LoadCatalogue(const QString& path);
    ostrel::TestElementPtr BuildElement(const ostrel::StorageElement& xml, int depth = 0);
    void ApplyInfo(const ostrel::TestElementPtr& element, const ostrel::StorageElement& xml);
    void requireInitialised();
    void releaseCatalogue();

    std::shared_ptr<ostrel::ITestList> m_catalogue;
    bool m_initialised = false;
    std::shared_ptr<CPlugInSetup> m_setup;
    std::int32_t m_flags = 0;
};

} // namespace nb4410
