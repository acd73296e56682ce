#include "TestInfo.h"

namespace ostrel {

void TestInfo::SetTypeAndParameter(const QString& type, const QString& parameter)
{
    m_type = type;
    m_parameter = parameter;
}

} // namespace ostrel
