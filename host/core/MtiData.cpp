#include "MtiData.h"

namespace ostrel {

void MtiData::SetName(const QString& name, std::int32_t number)
{
    m_name = name;
    m_number = number;
}

void MtiData::SetValues(const QString& serialNo, const QString& fwVersion, const QString& model)
{
    m_serialNo = serialNo;
    m_fwVersion = fwVersion;
    m_model = model;
}

} // namespace ostrel
