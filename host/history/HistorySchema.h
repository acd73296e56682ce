#pragma once
// The results database's tables, numbered by version. Opening a database brings it to the
// current version in place, one step after the other, each step in the same transaction as
// its version number, so a database is never left between two versions.
//   1: devices, runs, elements, measurements (limits as shown)
//   2: the numeric limits and their standard on each measurement (the trend's band), and the
//      index that finds a device's runs by date
#include <QString>

namespace ostrel::history {

class SqlSession;

class HistorySchema {
public:
    static constexpr int kVersion = 2;

    // Brings the database up to target; fails with a HistoryError when the database is of a
    // newer version than this program knows.
    static void Migrate(SqlSession& session, int target = kVersion);
    static int Version(SqlSession& session); // 0: no schema yet

private:
    static void step(SqlSession& session, int version);
};

} // namespace ostrel::history
