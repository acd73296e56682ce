#pragma once
// The test guide's status bar: the result status of the element and the standard whose
// limits are shown.
#include "host/core/Variant.h"

#include <QWidget>

class QLabel;

namespace ostrel {

class XTestGuideStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit XTestGuideStatusBar(QWidget* parent = nullptr);

    // status: 0 not evaluated, 1 passed, 2 failed, 3 not applicable; further: shown after it
    // when not empty.
    void SetStatus(std::int32_t status, const Variant& further = Variant());
    void SetStandard(const QString& shortName, const QString& fullName);

    std::int32_t Status() const { return m_status; }
    QString StatusText() const;
    QString StandardShortName() const { return m_shortName; }
    QString StandardFullName() const { return m_fullName; }

private:
    QLabel* m_statusLabel;
    QLabel* m_standardLabel;
    std::int32_t m_status = 0;
    QString m_shortName;
    QString m_fullName;
};

} // namespace ostrel
