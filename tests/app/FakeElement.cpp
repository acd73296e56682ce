#include "FakeElement.h"

#include "host/core/ClassTable.h"
#include "host/core/ComError.h"

namespace ostrel::testing {

std::vector<QString>& fakeLog()
{
    static std::vector<QString> log;
    return log;
}

FakeElement::FakeElement() : core(std::make_shared<ElementCore>())
{
    core->SetResultFactory([] { return std::make_shared<FakeResult>(); });
}

void FakeElement::Initialize(const QString& plugInId, std::int32_t testId, std::int32_t id)
{
    core->Initialize(plugInId, testId, id);
    core->SetConfiguration(std::make_shared<FakeConfig>());
    core->SetLimits(std::make_shared<FakeLimits>());
    core->Info()->SetName(QStringLiteral("Fake test %1").arg(testId));
}

std::shared_ptr<ITestElement> FakeElement::Clone()
{
    auto copy = std::make_shared<FakeElement>();
    copy->core = core->Clone();
    copy->core->SetResultFactory([] { return std::make_shared<FakeResult>(); });
    copy->script = script;
    return copy;
}

void FakeElement::Perform(std::shared_ptr<IRunContext> context)
{
    auto self = std::dynamic_pointer_cast<ITestElement>(shared_from_this());
    if (!context->MayPerform(self)) {
        fakeLog().push_back(QStringLiteral("refused %1").arg(ID()));
        return;
    }
    fakeLog().push_back(QStringLiteral("perform %1").arg(ID()));
    if (script)
        script(*this, context);
    else
        context->Navigate(0);
}

void FakeElement::Terminate()
{
    fakeLog().push_back(QStringLiteral("terminate %1").arg(ID()));
    core->Terminate();
}

FakeResult& FakeElement::result()
{
    if (!core->Result())
        core->SetResult(std::make_shared<FakeResult>());
    return *std::dynamic_pointer_cast<FakeResult>(core->Result());
}

PerformScript navigate(std::int32_t code)
{
    return [code](FakeElement&, const std::shared_ptr<IRunContext>& context) { context->Navigate(code); };
}

PerformScript finishWith(std::int32_t status, double value)
{
    return [status, value](FakeElement& element, const std::shared_ptr<IRunContext>& context) {
        auto& result = element.result();
        result.status = status;
        result.measurements = {std::make_shared<FakeMeasurement>(QStringLiteral("DROP"), QStringLiteral("Pressure Drop"),
                                                                 Variant(value), Variant(), QStringLiteral("mmHg"), status)};
        context->ResultFinal(std::dynamic_pointer_cast<ITestElement>(element.shared_from_this()));
        context->Navigate(0);
    };
}

std::shared_ptr<ITestList> FakePlugIn::Tests()
{
    return nullptr;
}

std::shared_ptr<ITestElement> FakePlugIn::CreateTest(std::int32_t testId)
{
    for (auto id : kTestIds) {
        if (id == testId) {
            auto element = std::make_shared<FakeElement>();
            element->Initialize(ID(), testId, testId);
            return element;
        }
    }
    throw ComError(hr(0x8004A233u), QStringLiteral("FakeHost.CPlugInFake"), QStringLiteral("No such test"), 1);
}

} // namespace ostrel::testing
