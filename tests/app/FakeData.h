#pragma once
// Stand-in configuration, limits, result and measurement for the application's tests: each
// stores itself in its own small form and reads it back, so round trips can be checked.
#include "host/contract/IConfigData.h"
#include "host/contract/IDialog.h"
#include "host/contract/ILimitData.h"
#include "host/contract/IMeasurement.h"
#include "host/contract/IResultData.h"
#include "host/results/Standards.h"

#include <QPointer>
#include <QLineEdit>
#include <vector>

namespace ostrel::testing {

// A configuration editor: a line edit whose edits reach the configuration and send "Change".
class FakeConfigDialog : public IDialog {
public:
    explicit FakeConfigDialog(QString& setting) : m_setting(setting) {}
    ~FakeConfigDialog() override;
    std::shared_ptr<ICallback> CallBack() override { return m_callback; }
    void SetCallBack(std::shared_ptr<ICallback> callback) override { m_callback = std::move(callback); }
    bool IsDocked() override { return m_editor != nullptr; }
    bool Locked() override { return false; }
    void SetLocked(bool) override {}
    void Initialize(const Variant&) override {}
    void Hide() override {}
    void Show(const Variant&) override {}
    void Dock(QWidget* parentWindow) override;
    void UnDock() override {}
    void Unload() override;
    void Move(float, float, float, float) override {}
    void Refresh() override {}
    void SetFocus() override {}

private:
    QString& m_setting;
    std::shared_ptr<ICallback> m_callback;
    QPointer<QLineEdit> m_editor;
};

class FakeConfig : public IConfigData {
public:
    bool HasDialog() override { return true; }
    std::shared_ptr<IConfigData> Clone() override;
    std::shared_ptr<IDialog> CreateDialog() override { return std::make_shared<FakeConfigDialog>(setting); }
    void Load(const StorageElement& element, ProgressPtr progress) override;
    StorageElement Save(const StorageDocumentPtr& document) override;
    void PrintReport(ReportPtr report) override;

    QString setting = QStringLiteral("default");
};

class FakeLimits : public ILimitData {
public:
    QString Description() override { return {}; }
    void SetDescription(const QString&) override {}
    bool HasDialog() override { return false; }
    std::shared_ptr<IStandards> Standards() override { return standards; }
    std::shared_ptr<ITestElement> Owner() override { return nullptr; }
    std::shared_ptr<ILimitData> Clone() override;
    std::shared_ptr<IDialog> CreateDialog() override { return nullptr; }
    std::shared_ptr<IStandard> CreateStandard(const Variant& shortName, const Variant& fullName) override;
    void Load(const StorageElement& element, ProgressPtr progress) override;
    StorageElement Save(const StorageDocumentPtr& document) override;
    void PrintReport(ReportPtr, std::shared_ptr<IRunContext>) override {}
    void UpdateLimits(ObjectPtr) override {}
    std::shared_ptr<IStandards> FindFailedStandards(std::shared_ptr<IMeasurement>, std::shared_ptr<IStandards>) override
    {
        return nullptr;
    }

    std::shared_ptr<ostrel::Standards> standards;
};

class FakeMeasurement : public IMeasurement {
public:
    FakeMeasurement() = default;
    FakeMeasurement(QString key, QString description, Variant value, Variant preset, QString unit, std::int32_t status,
                    QString flags = {});
    QString Description() override { return description; }
    QString Key() override { return key; }
    QString LimitKey() override { return key; }
    std::int32_t Status() override { return status; }
    QString Unit() override { return unit; }
    Variant Value() override { return value; }
    Variant PresetValue() override { return preset; }
    std::int32_t ValueType() override { return 0; }
    QString ValueFormat() override { return QStringLiteral("0"); }
    QString Flags() override { return flags; }
    QString ToolTipText() override { return toolTip; }
    QString ReadableValue() override { return readable; }
    void Load(const StorageElement& element, ProgressPtr progress) override;
    StorageElement Save(const StorageDocumentPtr& document) override;

    QString toolTip;
    QString readable;
    QString key;
    QString description;
    Variant value;
    Variant preset;
    QString unit;
    std::int32_t status = 0;
    QString flags;
};

class FakeResult : public IResultData {
public:
    QString Comment() override { return comment; }
    void SetComment(const QString& text) override { comment = text; }
    bool HasDialog() override { return false; }
    std::int32_t Status() override { return status; }
    QString StatusText() override { return statusText; }
    std::shared_ptr<IMeasurement> Measurement(const Variant& index) override;
    std::int32_t MeasurementCount() override { return static_cast<std::int32_t>(measurements.size()); }
    std::shared_ptr<IServiceRecord> ServiceRecord() override { return nullptr; }
    std::int32_t MTIID() override { return mtiId; }
    std::shared_ptr<IDialog> CreateDialog() override { return nullptr; }
    void Load(const StorageElement& element, ProgressPtr progress) override;
    StorageElement Save(const StorageDocumentPtr& document) override;
    void PrintReport(ReportPtr report, const Variant& extra) override;

    QString comment;
    std::int32_t status = 0;
    QString statusText;
    std::int32_t mtiId = 0;
    std::vector<std::shared_ptr<FakeMeasurement>> measurements;
};

} // namespace ostrel::testing
