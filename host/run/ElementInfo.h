#pragma once
// What the catalogue says about one element (type, parameter, name, description), as the
// element core keeps it.
#include "host/contract/ITestElement.h"

namespace ostrel {

class ElementInfo : public ITestInfo {
public:
    void SetTypeAndParameter(const QString& type, const QString& parameter) override
    {
        m_type = type;
        m_parameter = parameter;
    }
    void SetDescription(const QString& description) override { m_description = description; }
    void SetName(const QString& name) override { m_name = name; }
    QString Type() override { return m_type; }
    QString Parameter() override { return m_parameter; }
    QString Name() override { return m_name; }
    QString Description() override { return m_description; }

    // A copy of any information object's four values.
    static std::shared_ptr<ElementInfo> CopyOf(const std::shared_ptr<ITestInfo>& other);

private:
    QString m_type;
    QString m_parameter;
    QString m_name;
    QString m_description;
};

} // namespace ostrel
