#pragma once
#include "Forward.h"
#include "host/core/Variant.h"

namespace ostrel {

enum class Hive { LocalMachine };

class ISetup : public virtual IObject {
public:
    virtual bool HasDialog() = 0;
    virtual QString Settings() = 0;
    virtual void SetSettings(const QString& settings) = 0;
    virtual std::shared_ptr<IDialog> CreateDialog() = 0;
    virtual void RegLoad(Hive hive, const QString& keyPath) = 0;
    virtual void RegSave(Hive hive, const QString& keyPath) = 0;
};

} // namespace ostrel
