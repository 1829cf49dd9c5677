// The two-wire bus on the modem lines, below the block transfers: the line steps with their waits, in the
// timings last handed to SetBoxBusTimings.
#pragma once

#include <cstdint>
#include <span>

#include "link/parambox.h"

namespace ilink {

void SetBoxBusTimings(const BoxSettings& settings);

// A stand-in for a box on the lines, for fuzzing the readers on many box images (the bit-level bus takes a second
// or so per image even on the virtual clock): while memory (kBoxSize bytes; any other size counts as none) is set, the box counts as present and the block
// transfers copy from and into memory at once; the lines are not touched. An empty span gives the lines back.
void SetBoxMemoryStandIn(std::span<std::uint8_t> memory);

// Clock low, data released, then wait 3 (idle) or wait 1 (wake).
void BoxIdle();
void BoxWake();
// Idle, then an acknowledge read: true when the data line reads high (a box holds it up; without one RI is off).
bool BoxPresent();
// The control byte that carries an address's bits 8-10 (0xA0 .. 0xAE).
constexpr std::uint8_t BoxControlByte(std::uint16_t address) {
  return static_cast<std::uint8_t>(0xA0 + ((address & 0x700) >> 7));
}

}  // namespace ilink
