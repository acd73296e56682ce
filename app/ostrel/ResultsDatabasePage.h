#pragma once
// The "Results database" page of the settings: where this bench keeps its service history
// (empty: the SQLite file in the user's data folder; or a PostgreSQL address several benches
// share), with a check that connects. A stored password is never shown: the field shows the
// address with "***" and keeps the stored one unless it is edited.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace ostrel {

class ResultsDatabasePage : public QWidget {
    Q_OBJECT
public:
    explicit ResultsDatabasePage(QWidget* parent = nullptr);

    // The address to store ("" for the default); fails with a history::HistoryError when malformed.
    QString Address() const;
    bool Changed() const;
    void Apply() const;
    // Connects to the address in the field and says how that went.
    void Check();

    QLineEdit* Field() const { return m_txtAddress; }
    QString CheckText() const;

private:
    QString m_stored;
    QString m_shown;
    QLineEdit* m_txtAddress;
    QLabel* m_lblCheck;
};

} // namespace ostrel
