#include "ResultsDatabase.h"

#include "AppEnvironment.h"

#include "host/core/RegistryStore.h"
#include "host/core/Variant.h"

namespace ostrel {

namespace {
const QString kDatabaseValue = QStringLiteral("ResultsDatabase");
}

QString ResultsDatabase::Setting()
{
    const auto key = RegistryStore::instance().Open(Hive::LocalMachine, AppEnvironment::SettingsKey());
    return key ? key->Text(kDatabaseValue) : QString();
}

void ResultsDatabase::SetSetting(const QString& url)
{
    RegistryStore::instance().SetValue(Hive::LocalMachine, AppEnvironment::SettingsKey(), kDatabaseValue, Variant(url));
}

history::DatabaseUrl ResultsDatabase::Resolve(const QString& commandLine)
{
    QString url = commandLine;
    if (url.isEmpty())
        url = qEnvironmentVariable("OSTREL_DB");
    if (url.isEmpty())
        url = Setting();
    if (url.isEmpty())
        return history::DatabaseUrl::SQLiteFile(history::ResultsHistory::DefaultDatabasePath());
    return history::DatabaseUrl::Parse(url);
}

std::unique_ptr<history::ResultsHistory> ResultsDatabase::Open(const QString& commandLine)
{
    return std::make_unique<history::ResultsHistory>(Resolve(commandLine), history::ResultsHistory::DefaultOutboxPath());
}

} // namespace ostrel
