#pragma once
// What the catalogue says about a test element: type, parameter, name and description.
#include "host/contract/ITestElement.h"

namespace ostrel {

class TestInfo : public ITestInfo {
public:
    void SetTypeAndParameter(const QString& type, const QString& parameter) override;
    void SetDescription(const QString& description) override { m_description = description; }
    void SetName(const QString& name) override { m_name = name; }
    QString Type() override { return m_type; }
    QString Parameter() override { return m_parameter; }
    QString Name() override { return m_name; }
    QString Description() override { return m_description; }

    std::shared_ptr<TestInfo> Copy() const { return std::make_shared<TestInfo>(*this); }

private:
    QString m_type;
    QString m_parameter;
    QString m_name;
    QString m_description;
};

} // namespace ostrel
