#include "RunContext.h"

namespace ostrel {

RunContext::RunContext() : m_instruments(std::make_shared<InstrumentList>()) {}

bool RunContext::MayPerform(std::shared_ptr<ITestElement> element)
{
    return !m_mayPerform || m_mayPerform(element);
}

void RunContext::Navigate(std::int32_t code)
{
    m_lastNavigation = code;
    ++m_navigationCount;
    if (m_navigate)
        m_navigate(code);
}

void RunContext::ResultFinal(std::shared_ptr<ITestElement> element)
{
    m_finished.push_back(element);
    if (m_resultFinal)
        m_resultFinal(element);
}

void RunContext::ResetNavigation()
{
    m_lastNavigation = kNoNavigation;
    m_navigationCount = 0;
}

} // namespace ostrel
