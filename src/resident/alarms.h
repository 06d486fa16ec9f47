#pragma once
#include "resident/resident.h"

namespace vorlan {

// Rings the first alarm due this minute, at most once per minute.
void CheckAlarms(Resident& r);

}  // namespace vorlan
