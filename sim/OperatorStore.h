#pragma once
// The instrument's operator record, kept in a file so that it survives a restart.
#include <QString>

namespace nb4410sim {

struct OperatorRecord {
    QString operatorName;
    QString establishment;
    QString serialNo;
};

class OperatorStore {
public:
    explicit OperatorStore(QString path);
    OperatorRecord Load() const;     // an empty record when the file is missing
    bool Save(const OperatorRecord& record) const;

private:
    QString m_path;
};

} // namespace nb4410sim
