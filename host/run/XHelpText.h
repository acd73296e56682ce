#pragma once
// A short help text shown beside an editor's fields.
#include <QWidget>

class QLabel;

namespace ostrel {

class XHelpText : public QWidget {
    Q_OBJECT
public:
    explicit XHelpText(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;

private:
    QLabel* m_label;
};

} // namespace ostrel
