#include "ResultsDatabasePage.h"

#include "ResultsDatabase.h"

#include "host/history/HistoryError.h"
#include "host/history/SqlResultsStore.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ostrel {

ResultsDatabasePage::ResultsDatabasePage(QWidget* parent)
    : QWidget(parent), m_txtAddress(new QLineEdit(this)), m_lblCheck(new QLabel(this))
{
    setObjectName(QStringLiteral("pagResultsDatabase"));
    m_txtAddress->setObjectName(QStringLiteral("txtResultsDatabase"));
    m_lblCheck->setObjectName(QStringLiteral("lblResultsDatabase"));
    m_lblCheck->setWordWrap(true);
    m_txtAddress->setPlaceholderText(tr("SQLite file in the user's data folder"));
    m_txtAddress->setToolTip(tr("postgresql://user@host/dbname to share one history between benches; "
                                "keep the password in ~/.pgpass"));
    m_stored = ResultsDatabase::Setting();
    m_shown = m_stored;
    try {
        if (!m_stored.isEmpty())
            m_shown = history::DatabaseUrl::Parse(m_stored).Redacted();
    } catch (const history::HistoryError&) {
        m_shown = QString(); // a malformed setting is not shown back (it may hold a password)
    }
    m_txtAddress->setText(m_shown);

    auto* check = new QPushButton(tr("Check"), this);
    check->setObjectName(QStringLiteral("cmdResultsDatabaseCheck"));
    connect(check, &QPushButton::clicked, this, &ResultsDatabasePage::Check);
    auto* row = new QHBoxLayout;
    row->addWidget(m_txtAddress, 1);
    row->addWidget(check);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Results database:"), row);
    form->addRow(QString(), m_lblCheck);
}

bool ResultsDatabasePage::Changed() const
{
    return m_txtAddress->text().trimmed() != m_shown;
}

QString ResultsDatabasePage::Address() const
{
    if (!Changed())
        return m_stored;
    const QString text = m_txtAddress->text().trimmed();
    if (!text.isEmpty())
        history::DatabaseUrl::Parse(text);
    return text;
}

void ResultsDatabasePage::Apply() const
{
    if (Changed())
        ResultsDatabase::SetSetting(Address());
}

QString ResultsDatabasePage::CheckText() const
{
    return m_lblCheck->text();
}

void ResultsDatabasePage::Check()
{
    try {
        const QString address = Address();
        const history::DatabaseUrl url = address.isEmpty()
                                             ? history::DatabaseUrl::SQLiteFile(history::ResultsHistory::DefaultDatabasePath())
                                             : history::DatabaseUrl::Parse(address);
        history::SqlResultsStore store(url);
        m_lblCheck->setText(tr("Connected to %1.").arg(url.Redacted()));
    } catch (const history::HistoryError& error) {
        m_lblCheck->setText(error.Text());
    }
}

} // namespace ostrel
