#pragma once
// Results for service-management systems: JSON (the sequence with its elements and their
// measurements) and CSV (one row per measurement). Both are written atomically.
#include "SequenceResults.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace ostrel {

class SequenceDocument;

class ResultExporter {
public:
    static QByteArray ToJson(const SequenceDocument& document, const std::vector<ElementResult>& results);
    // document: where the device's serial number and the elements' run times come from
    // (their columns stay empty without one).
    static QByteArray ToCsv(const std::vector<ElementResult>& results, const SequenceDocument* document = nullptr);

    static void WriteJson(const QString& path, const SequenceDocument& document);
    static void WriteCsv(const QString& path, const SequenceDocument& document);

    // The CSV columns, in order.
    static QStringList CsvColumns();

    // Writes the whole file or nothing; fails with a ComError naming the file.
    static void WriteFile(const QString& path, const QByteArray& data);
    // The same for content written piece by piece into the file.
    static void WriteFile(const QString& path, const std::function<void(QIODevice&)>& write);
};

} // namespace ostrel
