#pragma once
// What the two blood-pressure editors share: the configuration they show, held through its
// blood-pressure interface, the parameter and settings frames around it, and the simulated
// values written as the configuration's field table formats them.
#include "plugin/editors/XConfigEditor.h"

#include <memory>

class QGroupBox;

namespace nb4410 {

class INB4410ConfigBP;

class XConfigBP : public XConfigEditor {
    Q_OBJECT
public:
    // Shows the configuration the data carries, with its test-guide settings; without one the
    // value controls are emptied.
    void Initialize(const ostrel::Variant& data) final;

protected:
    explicit XConfigBP(QWidget* parent);

    virtual void clearShown() = 0;
    // The held configuration's own values.
    virtual void showHeld() = 0;
    // A simulated value in the given format; "" without a configuration or a value for the key.
    QString valueText(const char* key, const char* format) const;
    // The parameters beside the help, then `middle` (when there is one) and the settings below.
    void layOut(QWidget* middle);

    std::shared_ptr<ostrel::IObject> m_holder; // keeps the configuration alive
    INB4410ConfigBP* m_configuration = nullptr;
    bool m_busy = false;

    QGroupBox* m_fraParams;
    QGroupBox* m_fraSettings;
};

} // namespace nb4410
