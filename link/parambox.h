// The parameter box: a 2048-byte two-wire EEPROM bit-banged on the modem lines of a serial port (DTR clock,
// RTS data out, RI data in) with the user's four bit timings from record 305, and the operations that copy
// it into a data set and a data set into it. Results are the codes of link/parambox_codes.h. The transfers
// busy-wait without pumping messages.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace ilink {

// Box memory map.
inline constexpr std::uint16_t kBoxSize = 2048;
inline constexpr std::uint16_t kBoxHeadSize = 290;   // records 1, 2 and 3
inline constexpr std::uint16_t kBoxValidAt = 8;      // record 2: the valid mark
inline constexpr std::uint16_t kBoxListAt = 10;      // record 3: the contents list
inline constexpr std::uint16_t kBoxListEntries = 70;  // {u16 record, u16 address}, ended by record 0
inline constexpr std::uint8_t kBoxValidMark = 0x55;
inline constexpr std::uint16_t kBoxBlockLimit = 512;  // a stored block is shorter than this

// Format marks (first byte of record 1).
inline constexpr std::uint8_t kBoxFormatOld = 1;          // software versions up to 3.x
inline constexpr std::uint8_t kBoxFormatCurrent = 2;
inline constexpr std::uint8_t kBoxFormatPositioning = 5;  // a positioning upgrade module

// The box settings from record 305: the port number (1 = COM1 .. 16 = COM16) and the bit timings in
// units of 5 microseconds, kept as integers so that writing them back gives what was read.
struct BoxSettings {
  std::uint8_t port = 1;
  std::uint32_t t1 = 0;  // wake ("voltage charging time"), element 18
  std::uint16_t t2 = 0;  // before the acknowledge and before a write's stop, element 22
  std::uint16_t t3 = 0;  // after every bit, start and stop, element 24
  std::uint16_t t4 = 0;  // after every line change, element 16
  std::uint8_t spare_byte = 0;   // element 12, carried along
  std::uint16_t spare_word = 0;  // element 14, carried along
};

// Reads the box settings of a data set without touching the port: 0, or 15 when record 305 cannot be read.
std::uint8_t LoadParameterBoxSettings(std::uint8_t set);
const BoxSettings& ParameterBoxSettings();
// LoadParameterBoxSettings, then opens the port ("COM1".."COM16", 9600 baud, never sending) and removes the
// progress hook. The lines stay as they are: every transfer begins with its own wake. 0; 15 (record 305); 1 (port number outside 1..16 or unknown to the
// system); 5 (the port is busy, already open for the inverter link, or cannot be set up).
std::uint8_t OpenParameterBox(std::uint8_t set);
// Writes the timings in use back into record 305 (elements 16, 18, 22, 24 and the two carried along):
// 0, or 15 when a write fails or no settings were loaded yet (nothing is written then).
std::uint8_t GetParameterBoxTimings(std::uint8_t set);
// Closes the port, only when this link opened it.
void CloseParameterBox();

std::uint8_t ReadParameterBox(std::uint8_t set);
// Selector 1: records 353..362; any other: the parameter records. Needs the head of ReadParameterBox.
std::uint8_t ReadParameterBoxPart(std::uint8_t set, std::uint8_t selector);
// Mode 1 writes in the current format with version letter 'Q'; else the target's letter decides.
std::uint8_t WriteParameterBox(std::uint8_t set, std::uint8_t mode);
std::uint8_t SetParameterBoxFormat(std::uint8_t format);
// Group 4 number; the written-by-tool flag of the last read goes to written_by_tool when given.
std::uint8_t CheckParameterBoxHead(std::uint8_t mode, std::uint8_t* written_by_tool, std::uint8_t set);
// Writes the letter into element 0 of record 4: 0, or 18.
std::uint8_t StoreVersionLetter(std::uint8_t letter, std::uint8_t set);

// Progress in percent of the block transfers.
using BoxProgressHook = std::function<void(std::uint8_t percent)>;
void SetBoxProgressHook(BoxProgressHook hook);
void ClearBoxProgressHook();

// The head as last read by ReadParameterBox (zeros before).
const std::array<std::uint8_t, kBoxHeadSize>& ParameterBoxHead();

// Bus primitives on the open port. 0, or 4 (no acknowledge by the tenth attempt, or a line that cannot be
// set or read); a block reaching beyond the box gives 10 (read) or 11 (write) and touches nothing.
std::uint8_t BoxWriteBlock(std::uint16_t address, std::uint16_t count, const std::uint8_t* bytes);
std::uint8_t BoxReadBlock(std::uint16_t address, std::uint16_t count, std::uint8_t* buffer);

}  // namespace ilink
