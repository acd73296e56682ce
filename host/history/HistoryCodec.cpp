#include "HistoryCodec.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ostrel::history {

namespace {

QJsonValue timeJson(const QDateTime& time)
{
    return time.isValid() ? QJsonValue(time.toUTC().toString(Qt::ISODateWithMs)) : QJsonValue();
}

QDateTime timeFrom(const QJsonValue& value)
{
    return value.isString() ? QDateTime::fromString(value.toString(), Qt::ISODateWithMs) : QDateTime();
}

QJsonValue numberJson(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

std::optional<double> numberFrom(const QJsonValue& value)
{
    return value.isDouble() ? std::optional<double>(value.toDouble()) : std::nullopt;
}

QJsonObject measurementJson(const MeasurementRecord& m)
{
    return QJsonObject{{QStringLiteral("key"), m.key},
                       {QStringLiteral("description"), m.description},
                       {QStringLiteral("value"), numberJson(m.value)},
                       {QStringLiteral("valueText"), m.valueText},
                       {QStringLiteral("preset"), m.preset},
                       {QStringLiteral("unit"), m.unit},
                       {QStringLiteral("limits"), m.limits},
                       {QStringLiteral("limitLow"), numberJson(m.limitLow)},
                       {QStringLiteral("limitHigh"), numberJson(m.limitHigh)},
                       {QStringLiteral("standard"), m.standard},
                       {QStringLiteral("status"), m.status},
                       {QStringLiteral("flags"), m.flags}};
}

MeasurementRecord measurementFrom(const QJsonObject& json)
{
    MeasurementRecord m;
    m.key = json[QStringLiteral("key")].toString();
    m.description = json[QStringLiteral("description")].toString();
    m.value = numberFrom(json[QStringLiteral("value")]);
    m.valueText = json[QStringLiteral("valueText")].toString();
    m.preset = json[QStringLiteral("preset")].toString();
    m.unit = json[QStringLiteral("unit")].toString();
    m.limits = json[QStringLiteral("limits")].toString();
    m.limitLow = numberFrom(json[QStringLiteral("limitLow")]);
    m.limitHigh = numberFrom(json[QStringLiteral("limitHigh")]);
    m.standard = json[QStringLiteral("standard")].toString();
    m.status = json[QStringLiteral("status")].toString();
    m.flags = json[QStringLiteral("flags")].toString();
    return m;
}

QJsonArray instrumentsJson(const std::vector<InstrumentRecord>& instruments)
{
    QJsonArray array;
    for (const auto& i : instruments)
        array.append(QJsonObject{{QStringLiteral("name"), i.name},
                                 {QStringLiteral("model"), i.model},
                                 {QStringLiteral("serialNumber"), i.serialNumber},
                                 {QStringLiteral("firmware"), i.firmware}});
    return array;
}

std::vector<InstrumentRecord> instrumentsFrom(const QJsonArray& array)
{
    std::vector<InstrumentRecord> instruments;
    for (const auto& value : array) {
        const auto json = value.toObject();
        instruments.push_back({json[QStringLiteral("name")].toString(), json[QStringLiteral("model")].toString(),
                               json[QStringLiteral("serialNumber")].toString(), json[QStringLiteral("firmware")].toString()});
    }
    return instruments;
}

} // namespace

QJsonObject HistoryCodec::ToJson(const RunRecord& run)
{
    return QJsonObject{{QStringLiteral("runId"), run.runId},
                       {QStringLiteral("title"), run.title},
                       {QStringLiteral("started"), timeJson(run.started)},
                       {QStringLiteral("ended"), timeJson(run.ended)},
                       {QStringLiteral("technician"), run.technician},
                       {QStringLiteral("softwareVersion"), run.softwareVersion},
                       {QStringLiteral("device"), QJsonObject{{QStringLiteral("serialNumber"), run.device.serialNumber},
                                                              {QStringLiteral("model"), run.device.model},
                                                              {QStringLiteral("location"), run.device.location}}},
                       {QStringLiteral("instruments"), instrumentsJson(run.instruments)},
                       {QStringLiteral("verdict"), run.verdict}};
}

QJsonObject HistoryCodec::ToJson(const ElementRecord& element)
{
    QJsonArray measurements;
    for (const auto& m : element.measurements)
        measurements.append(measurementJson(m));
    return QJsonObject{{QStringLiteral("elementId"), element.elementId},
                       {QStringLiteral("position"), element.position},
                       {QStringLiteral("name"), element.name},
                       {QStringLiteral("testType"), element.testType},
                       {QStringLiteral("status"), element.status},
                       {QStringLiteral("started"), timeJson(element.started)},
                       {QStringLiteral("ended"), timeJson(element.ended)},
                       {QStringLiteral("comment"), element.comment},
                       {QStringLiteral("measurements"), measurements}};
}

QJsonObject HistoryCodec::ToJson(const HistoryRun& run)
{
    QJsonObject json = ToJson(run.run);
    QJsonArray elements;
    for (const auto& element : run.elements)
        elements.append(ToJson(element));
    json[QStringLiteral("elements")] = elements;
    return json;
}

RunRecord HistoryCodec::RunFrom(const QJsonObject& json)
{
    RunRecord run;
    run.runId = json[QStringLiteral("runId")].toString();
    run.title = json[QStringLiteral("title")].toString();
    run.started = timeFrom(json[QStringLiteral("started")]);
    run.ended = timeFrom(json[QStringLiteral("ended")]);
    run.technician = json[QStringLiteral("technician")].toString();
    run.softwareVersion = json[QStringLiteral("softwareVersion")].toString();
    const auto device = json[QStringLiteral("device")].toObject();
    run.device = {device[QStringLiteral("serialNumber")].toString(), device[QStringLiteral("model")].toString(),
                  device[QStringLiteral("location")].toString()};
    run.instruments = instrumentsFrom(json[QStringLiteral("instruments")].toArray());
    run.verdict = json[QStringLiteral("verdict")].toString();
    return run;
}

ElementRecord HistoryCodec::ElementFrom(const QJsonObject& json)
{
    ElementRecord element;
    element.elementId = json[QStringLiteral("elementId")].toInt();
    element.position = json[QStringLiteral("position")].toInt();
    element.name = json[QStringLiteral("name")].toString();
    element.testType = json[QStringLiteral("testType")].toInt();
    element.status = json[QStringLiteral("status")].toString();
    element.started = timeFrom(json[QStringLiteral("started")]);
    element.ended = timeFrom(json[QStringLiteral("ended")]);
    element.comment = json[QStringLiteral("comment")].toString();
    for (const auto& value : json[QStringLiteral("measurements")].toArray())
        element.measurements.push_back(measurementFrom(value.toObject()));
    return element;
}

QString HistoryCodec::InstrumentsText(const std::vector<InstrumentRecord>& instruments)
{
    return QString::fromUtf8(QJsonDocument(instrumentsJson(instruments)).toJson(QJsonDocument::Compact));
}

std::vector<InstrumentRecord> HistoryCodec::InstrumentsFrom(const QString& text)
{
    return instrumentsFrom(QJsonDocument::fromJson(text.toUtf8()).array());
}

} // namespace ostrel::history
