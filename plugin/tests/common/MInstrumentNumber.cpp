#include "MInstrumentNumber.h"

namespace nb4410::MInstrumentNumber {

std::int32_t Resolve(const std::shared_ptr<ostrel::InstrumentList>& instruments, const ostrel::MtiDataPtr& identity)
{
    if (!instruments || !identity)
        return 0;
    std::int32_t candidate = 1;
    for (const ostrel::MtiDataPtr& entry : instruments->items()) {
        if (!entry || entry->Name() != QLatin1String(kModelName))
            continue;
        if (entry->SerialNo() == identity->SerialNo())
            return entry->Number();
        if (candidate <= entry->Number())
            candidate = entry->Number() + 1;
    }
    identity->SetName(QString::fromLatin1(kModelName), candidate);
    instruments->Add(identity);
    return candidate;
}

} // namespace nb4410::MInstrumentNumber
