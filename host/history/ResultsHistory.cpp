#include "ResultsHistory.h"

#include "HistoryCodec.h"
#include "HistoryError.h"
#include "Outbox.h"
#include "SqlResultsStore.h"

#include <QJsonDocument>
#include <QStandardPaths>

namespace ostrel::history {

namespace {
const QString kElement = QStringLiteral("element");
const QString kRun = QStringLiteral("run");

QByteArray payload(const RunRecord& run, const ElementRecord* element)
{
    QJsonObject json{{kRun, HistoryCodec::ToJson(run)}};
    if (element)
        json[kElement] = HistoryCodec::ToJson(*element);
    return QJsonDocument(json).toJson(QJsonDocument::Compact);
}
} // namespace

ResultsHistory::ResultsHistory(const DatabaseUrl& target, const QString& outboxPath)
    : m_target(target), m_outboxPath(outboxPath)
{
}

ResultsHistory::~ResultsHistory() = default;

QString ResultsHistory::DefaultDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/history.sqlite");
}

QString ResultsHistory::DefaultOutboxPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/outbox.sqlite");
}

IResultsStore& ResultsHistory::Store()
{
    if (!m_store)
        m_store = std::make_unique<SqlResultsStore>(m_target);
    return *m_store;
}

void ResultsHistory::failed(const QString& text)
{
    m_lastError = text;
    if (onError)
        onError(text);
}

Outbox* ResultsHistory::outbox()
{
    if (!m_outbox) {
        try {
            m_outbox = std::make_unique<Outbox>(m_outboxPath);
        } catch (const HistoryError& error) {
            failed(error.Text());
        }
    }
    return m_outbox.get();
}

bool ResultsHistory::attempt(const std::function<void(IResultsStore&)>& write)
{
    try {
        write(Store());
        m_lastError.clear();
        m_sinceFailure.invalidate();
        return true;
    } catch (const HistoryError& error) {
        // The connection may be gone for good: the next attempt connects afresh.
        m_store.reset();
        m_sinceFailure.start();
        failed(error.Text());
        return false;
    }
}

bool ResultsHistory::awayRecently() const
{
    return m_sinceFailure.isValid() && !m_sinceFailure.hasExpired(m_retryAfterMs);
}

void ResultsHistory::deliver(const QString& kind, const QByteArray& data)
{
    const QJsonObject json = QJsonDocument::fromJson(data).object();
    const RunRecord run = HistoryCodec::RunFrom(json[kRun].toObject());
    if (kind == kElement)
        Store().WriteElement(run, HistoryCodec::ElementFrom(json[kElement].toObject()));
    else
        Store().FinishRun(run);
}

bool ResultsHistory::deliverPending(int* delivered)
{
    Outbox* box = outbox();
    if (!box)
        return true;
    const QString target = m_target.Redacted();
    for (;;) {
        std::optional<Outbox::Entry> entry;
        try {
            entry = box->First(target);
        } catch (const HistoryError& error) {
            failed(error.Text());
            return false;
        }
        if (!entry)
            return true;
        if (!attempt([&](IResultsStore&) { deliver(entry->kind, entry->payload); }))
            return false;
        try {
            box->Remove(entry->seq);
        } catch (const HistoryError& error) {
            // Delivered but still listed: delivering it again rewrites the same rows.
            failed(error.Text());
            return false;
        }
        if (delivered)
            ++*delivered;
    }
}

void ResultsHistory::enqueue(const QString& kind, const QByteArray& data)
{
    Outbox* box = outbox();
    if (!box)
        return;
    try {
        box->Add(m_target.Redacted(), kind, data);
    } catch (const HistoryError& error) {
        failed(error.Text());
    }
}

void ResultsHistory::WriteElement(const RunRecord& run, const ElementRecord& element)
{
    // What waits goes first, so the database sees the results in the order they were made.
    if (!awayRecently() && deliverPending() && attempt([&](IResultsStore& store) { store.WriteElement(run, element); }))
        return;
    enqueue(kElement, payload(run, &element));
}

void ResultsHistory::FinishRun(const RunRecord& run)
{
    if (!awayRecently() && deliverPending() && attempt([&](IResultsStore& store) { store.FinishRun(run); }))
        return;
    enqueue(kRun, payload(run, nullptr));
}

int ResultsHistory::Sync()
{
    int delivered = 0;
    return deliverPending(&delivered) ? delivered : -1;
}

int ResultsHistory::Pending()
{
    Outbox* box = outbox();
    if (!box)
        return -1;
    try {
        return box->Count(m_target.Redacted());
    } catch (const HistoryError& error) {
        failed(error.Text());
        return -1;
    }
}

} // namespace ostrel::history
