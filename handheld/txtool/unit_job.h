// What TX-Tool shares with its worker while it serves the Tastomatik: the job record the unit polls, the slave
// state, the unit's data and the slot tables, and the data-set buffers. Every field is guarded by the mutex; the
// forms ask for work with RequestJob, which sets state, slot and job fields in one step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace txtool {

// Job codes the PC puts into the job record for the unit.
inline constexpr std::uint8_t kJobNone = 0;
inline constexpr std::uint8_t kJobSendBlock = 1;
inline constexpr std::uint8_t kJobTakeBlock = 2;
inline constexpr std::uint8_t kJobSendSize = 3;
inline constexpr std::uint8_t kJobSendAttribute = 5;
inline constexpr std::uint8_t kJobWriteAttribute = 6;
inline constexpr std::uint8_t kJobSendVersion = 7;
inline constexpr std::uint8_t kJobDataSetComplete = 8;
inline constexpr std::uint8_t kJobClearSlot = 12;
inline constexpr std::uint8_t kJobTakeTexts = 13;
inline constexpr std::uint8_t kJobSendTexts = 14;
inline constexpr std::uint8_t kJobIdentify = 15;

// Slave states.
inline constexpr int kStateStart = 0;
inline constexpr int kStateConnectedOnce = 1;
inline constexpr int kStateConnected = 5;
inline constexpr int kStateVersionAsked = 6;
inline constexpr int kStateSizeAsked = 8;
inline constexpr int kStateVersionReceived = 9;
inline constexpr int kStateSizeReceived = 11;
inline constexpr int kStateReadingAttributes = 15;
inline constexpr int kStateIdle = 16;
inline constexpr int kStateReadDataSet = 30;
inline constexpr int kStateWriteAttribute = 40;
inline constexpr int kStateWriteDataSet = 50;
inline constexpr int kStateDataSetWritten = 60;
inline constexpr int kStateTextsAsked = 100;
inline constexpr int kStateSendTexts = 110;
inline constexpr int kStateTextsReceived = 120;
inline constexpr int kStateIdentifyAsked = 200;
inline constexpr int kStateIdentified = 210;
inline constexpr int kStateClearSlot = 220;
inline constexpr int kStateChangingUnit = 1000;  // set by the forms: the connection ends, a unit is awaited

// The data byte of the unit's job-done telegram: the unit reports a job done with 2 (older units and simulators
// with 0); any other value names a failed job.
inline constexpr std::uint8_t kJobDoneByUnit = 2;
inline constexpr std::uint8_t kJobDoneZero = 0;
inline constexpr bool JobReportedDone(std::uint8_t code) { return code == kJobDoneByUnit || code == kJobDoneZero; }

// The jobs the forms request: a unit lost while one runs leaves it unfinished.
inline constexpr bool IsFormJob(int state) {
  return state == kStateReadDataSet || state == kStateWriteAttribute || state == kStateWriteDataSet ||
         state == kStateDataSetWritten || state == kStateSendTexts || state == kStateClearSlot;
}

// Attribute word bits of a slot.
inline constexpr std::uint16_t kAttrValid = 0x0001;
inline constexpr std::uint16_t kAttrProtected = 0x0002;
inline constexpr std::uint16_t kAttrReverseDoc = 0x0004;

inline constexpr std::size_t kSlotCount = 64;
inline constexpr std::size_t kDataSetBufferSize = 8192;
inline constexpr std::size_t kTextLength = 17;     // 16 characters and an end byte
inline constexpr std::size_t kTextTableMax = 255;  // a telegram carries no more
inline constexpr std::size_t kBlockLength = 240;

// The job record in the order the status reply carries it (display lines up to the job code: 38 bytes).
struct UnitJobRecord {
  std::array<std::uint8_t, kTextLength> line1{};
  std::array<std::uint8_t, kTextLength> line2{};
  std::uint8_t spare0 = 0;
  std::uint8_t two = 2;
  std::uint8_t led = 0;
  std::uint8_t job = kJobNone;
  std::uint8_t spare1[2] = {0, 0};
  std::uint8_t pending = 0;
  std::uint8_t spare2 = 0;
  std::uint16_t length = 0;
  std::uint32_t offset = 0;
  std::uint8_t slot = 0;
  std::uint8_t spare3 = 0;
};

struct UnitShared {
  std::mutex mutex;
  UnitJobRecord job;
  int state = kStateStart;
  bool stop = false;  // ends the running connection (change of unit)

  // What the unit told.
  std::array<std::uint8_t, 4> identity{};
  bool identity_known = false;
  std::array<std::uint8_t, kTextLength> version{};
  std::array<std::uint8_t, 2 * kTextLength> display_texts{};
  std::array<std::vector<std::uint8_t>, 3> text_tables;
  std::uint16_t data_set_size = 0;  // at most kDataSetBufferSize
  int data_set_count = 0;           // at most kSlotCount

  // Slots.
  std::array<std::uint16_t, kSlotCount> attributes{};
  std::array<std::array<std::uint8_t, kTextLength>, kSlotCount> names{};
  std::array<std::string, kSlotCount> file_names;

  // Data sets: read from the unit (incoming) and to be written to it (outgoing, with its length, its name and
  // the file it came from).
  std::vector<std::uint8_t> incoming = std::vector<std::uint8_t>(kDataSetBufferSize);
  std::size_t incoming_length = 0;
  std::vector<std::uint8_t> outgoing = std::vector<std::uint8_t>(kDataSetBufferSize);
  std::size_t outgoing_length = 0;
  std::array<std::uint8_t, kTextLength> outgoing_name{};
  std::string outgoing_file;
  // Display texts the unit is to take (job 13).
  std::array<std::uint8_t, 2 * kTextLength> new_display_texts{};
  // A slot's attribute word before the form changed it (state 40): restored when the unit fails the job.
  std::uint16_t attribute_before = 0;
  // The running job: where the next block starts, whether the last block was given, whether the unit said done.
  std::size_t running_offset = 0;
  bool last_block = false;
  bool unit_done = false;

  // Asks the worker for work: state 30 (read), 40 (write attribute), 50 (write data set, outgoing set before),
  // 110 (send display texts), 220 (clear slot). A state 50 request starts job 2 at offset 0 with a first block.
  void RequestJob(int new_state, int slot);
  // Toggles the attribute word of a slot to word and asks the unit to take it (state 40).
  void RequestAttributeWrite(int slot, std::uint16_t word);
};

}  // namespace txtool
