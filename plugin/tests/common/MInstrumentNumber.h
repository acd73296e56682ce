#pragma once
// Numbers the instruments of this model within a run: 1, 2, 3, ... in the order they are
// first used; the same instrument (same serial number) keeps its number.
#include "host/core/MtiData.h"

namespace nb4410::MInstrumentNumber {

inline constexpr char kModelName[] = "NB-4410";

// The number of the identity in the list; an instrument not yet listed is named, numbered
// and added. 0, and nothing added, without a list or an identity.
std::int32_t Resolve(const std::shared_ptr<ostrel::InstrumentList>& instruments, const ostrel::MtiDataPtr& identity);

} // namespace nb4410::MInstrumentNumber
