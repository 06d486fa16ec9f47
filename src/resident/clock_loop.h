#pragma once
#include <cstdint>

#include "resident/resident.h"

namespace vorlan {

// A timer event: one tick, unless one is already under way.
void OnTimer(Resident& r);
// 1 when the tick ran in full, 0 when it stopped early.
int ClockTick(Resident& r);
int AutoIntervalMs(std::uint64_t available_bytes, std::uint64_t total_bytes);
void AutoInterval(Resident& r, std::uint64_t available_bytes, std::uint64_t total_bytes);
std::string ComposeNow(Resident& r, const MemoryStatus& memory);

void PauseCommand(Resident& r);
void EndCommand(Resident& r);
void CopyCommand(Resident& r);

// Gives the last window its title back, removes the icon, wipes desktop
// drawing and ends the process. Every way out goes through here.
void ExitProgram(Resident& r);

}  // namespace vorlan
