#include "ResultExporter.h"

#include "SequenceDocument.h"

#include "host/core/ComError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace ostrel {

namespace {

QJsonValue jsonValue(const Variant& value)
{
    if (value.isNumeric() && value.type() != VarType::Boolean)
        return value.toDouble();
    if (value.type() == VarType::Boolean)
        return value.toBool();
    if (value.isEmptyOrNull())
        return QJsonValue::Null;
    return value.text();
}

QJsonObject measurementJson(const MeasurementRow& row)
{
    return QJsonObject{
        {QStringLiteral("key"), row.key},
        {QStringLiteral("description"), row.description},
        {QStringLiteral("value"), jsonValue(row.value)},
        {QStringLiteral("valueText"), row.valueText},
        {QStringLiteral("preset"), row.preset},
        {QStringLiteral("unit"), row.unit},
        {QStringLiteral("limits"), row.limits},
        {QStringLiteral("status"), row.status},
        {QStringLiteral("statusText"), SequenceResults::StatusText(row.status)},
        {QStringLiteral("flags"), row.flags},
    };
}

// A spreadsheet runs a cell that starts with one of these as a formula; a quote in front
// keeps it text. Plain numbers ("-3.5") stay as they are.
QString neutralised(const QString& text)
{
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (text.isEmpty() || !kFormulaStarts.contains(text.front()))
        return text;
    bool number = false;
    text.toDouble(&number);
    return number ? text : QLatin1Char('\'') + text;
}

QString csvField(const QString& raw)
{
    const QString text = neutralised(raw);
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString isoTime(const QDateTime& time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

} // namespace

QByteArray ResultExporter::ToJson(const SequenceDocument& document, const std::vector<ElementResult>& results)
{
    const DeviceUnderTest& dut = document.Dut();
    QJsonArray instruments;
    for (const auto& mti : document.Instruments()->items())
        instruments.append(QJsonObject{{QStringLiteral("number"), mti->Number()},
                                       {QStringLiteral("name"), mti->Name()},
                                       {QStringLiteral("serialNumber"), mti->SerialNo()},
                                       {QStringLiteral("firmware"), mti->FWVersion()},
                                       {QStringLiteral("model"), mti->Model()}});
    QJsonArray standards;
    for (const auto& ref : document.SelectedStandards())
        standards.append(QJsonObject{{QStringLiteral("shortName"), ref.shortName}, {QStringLiteral("fullName"), ref.fullName}});
    QJsonArray elements;
    for (const auto& result : results) {
        QJsonArray measurements;
        for (const auto& row : result.measurements)
            measurements.append(measurementJson(row));
        elements.append(QJsonObject{
            {QStringLiteral("position"), result.position},
            {QStringLiteral("name"), result.name},
            {QStringLiteral("testId"), result.testId},
            {QStringLiteral("elementId"), result.elementId},
            {QStringLiteral("enabled"), result.enabled},
            {QStringLiteral("status"), result.hasResult ? QJsonValue(result.status) : QJsonValue::Null},
            {QStringLiteral("statusText"), SequenceResults::ElementStatusText(result)},
            {QStringLiteral("error"), result.error},
            {QStringLiteral("instrument"), result.instrument},
            {QStringLiteral("comment"), result.comment},
            {QStringLiteral("measurements"), measurements},
        });
    }
    const QJsonObject root{
        {QStringLiteral("title"), document.Title()},
        {QStringLiteral("document"), document.Path()},
        {QStringLiteral("exported"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
        {QStringLiteral("deviceUnderTest"), QJsonObject{{QStringLiteral("serialNumber"), dut.serialNumber},
                                                        {QStringLiteral("model"), dut.model},
                                                        {QStringLiteral("location"), dut.location},
                                                        {QStringLiteral("technician"), dut.technician}}},
        {QStringLiteral("standards"), standards},
        {QStringLiteral("instruments"), instruments},
        {QStringLiteral("verdict"), SequenceResults::VerdictText(SequenceResults::Overall(results))},
        {QStringLiteral("elements"), elements},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QStringList ResultExporter::CsvColumns()
{
    return {QStringLiteral("element"), QStringLiteral("key"),    QStringLiteral("description"),
            QStringLiteral("value"),   QStringLiteral("preset"), QStringLiteral("unit"),
            QStringLiteral("limits"),  QStringLiteral("status"), QStringLiteral("flags"),
            QStringLiteral("error"), QStringLiteral("deviceSerial"), QStringLiteral("runDate"), QStringLiteral("elementStatus"),
            QStringLiteral("comment")};
}

QByteArray ResultExporter::ToCsv(const std::vector<ElementResult>& results, const SequenceDocument* document)
{
    QString text = CsvColumns().join(QLatin1Char(',')) + QStringLiteral("\r\n");
    const QString serial = document ? document->Dut().serialNumber : QString();
    for (const auto& result : results) {
        QString runDate;
        if (document && result.position >= 1 && result.position <= document->Count())
            runDate = isoTime(document->Entry(result.position - 1).ended);
        for (const auto& row : result.measurements) {
            const QStringList fields{result.name,  row.key,        row.description,
                                     row.valueText, row.preset,     row.unit,
                                     row.limits,   SequenceResults::StatusText(row.status), row.flags,
                                     result.error, serial,       runDate,        SequenceResults::ElementStatusText(result),
                                     result.comment};
            QStringList quoted;
            for (const auto& field : fields)
                quoted << csvField(field);
            text += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        }
    }
    return text.toUtf8();
}

void ResultExporter::WriteJson(const QString& path, const SequenceDocument& document)
{
    WriteFile(path, ToJson(document, SequenceResults::Collect(document)));
}

void ResultExporter::WriteCsv(const QString& path, const SequenceDocument& document)
{
    WriteFile(path, ToCsv(SequenceResults::Collect(document), &document));
}

void ResultExporter::WriteFile(const QString& path, const QByteArray& data)
{
    WriteFile(path, [&data](QIODevice& out) { out.write(data); });
}

void ResultExporter::WriteFile(const QString& path, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(path);
    // A write that failed on the way makes the commit fail: the old file stays.
    const bool opened = file.open(QIODevice::WriteOnly);
    if (opened)
        write(file);
    if (!opened || !file.commit())
        throw ComError(kErrFileNotFound, QStringLiteral("ostrel.ResultExporter"),
                       QStringLiteral("%1: cannot write: %2").arg(path, file.errorString()), 2);
}

} // namespace ostrel
