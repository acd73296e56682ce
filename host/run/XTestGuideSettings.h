#pragma once
// The editing control of a configuration's test-guide settings: one check box per option.
// Editors place it and listen to Changed.
#include "TestGuideSettings.h"

#include <QWidget>
#include <vector>

class QCheckBox;

namespace ostrel {

class XTestGuideSettings : public QWidget {
    Q_OBJECT
public:
    explicit XTestGuideSettings(QWidget* parent = nullptr);

    void SetSettings(TestGuideSettingsPtr settings); // nullptr: nothing to edit
    TestGuideSettingsPtr Settings() const { return m_settings; }
    void SetLocked(bool locked);
    bool Locked() const { return m_locked; }

    QCheckBox* OptionBox(int index) const; // nullptr for an unknown index

signals:
    void Changed();

private:
    void showSettings();
    void optionToggled(int index, bool checked);

    TestGuideSettingsPtr m_settings;
    std::vector<QCheckBox*> m_boxes;
    bool m_locked = false;
    bool m_showing = false;
};

} // namespace ostrel
