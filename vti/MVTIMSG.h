#pragma once
// The instrument's command names. A reply carries the same four letters in lower case, or
// "ERRM" in place of any reply.
#include <QString>

namespace nb4410vti::MVTIMSG {

inline const QString kIREM = QStringLiteral("IREM");
inline const QString kEREM = QStringLiteral("EREM");
inline const QString kSTST = QStringLiteral("STST");
inline const QString kATST = QStringLiteral("ATST");
inline const QString kGRES = QStringLiteral("GRES");
inline const QString kGMTD = QStringLiteral("GMTD");
inline const QString kPMTD = QStringLiteral("PMTD");
inline const QString kERRM = QStringLiteral("ERRM");

inline const QString kReplyIREM = QStringLiteral("irem");
inline const QString kReplySTST = QStringLiteral("stst");
inline const QString kReplyATST = QStringLiteral("atst");
inline const QString kReplyGRES = QStringLiteral("gres");
inline const QString kReplyGMTD = QStringLiteral("gmtd");
inline const QString kReplyPMTD = QStringLiteral("pmtd");

} // namespace nb4410vti::MVTIMSG
