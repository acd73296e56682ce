#pragma once
// The plug-in's settings: the folder of the language files and the path of the catalogue.
// The catalogue path comes from the registry; both travel in the settings text.
#include "host/contract/ISetup.h"

namespace nb4410 {

class CPlugInSetup : public ostrel::ISetup {
public:
    QString LngPath() const { return m_lngPath; }
    void SetLngPath(const QString& path) { m_lngPath = path; }
    QString ConfigFile() const { return m_configFile; }
    void SetConfigFile(const QString& path) { m_configFile = path; }

    // Loads the settings from the plug-in's registry key; a missing key is ignored.
    void Initialize();

    bool HasDialog() override { return false; }
    QString Settings() override;
    void SetSettings(const QString& settings) override;
    std::shared_ptr<ostrel::IDialog> CreateDialog() override { return nullptr; }
    void RegLoad(ostrel::Hive hive, const QString& keyPath) override;
    void RegSave(ostrel::Hive, const QString&) override {}

    static constexpr const char* kRegistryKey = "Software\\Halvard\\Ostrel\\NB-4410";

private:
    static QString GetDefault(int setting);

    QString m_lngPath;
    QString m_configFile;
};

} // namespace nb4410
