// What the availability checks read besides the family and the version letter: the option board, the file
// kind, whether a scope recording is held, the parameter-set twins, and single governing bytes.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace model {

// The option-board code: byte element 3 of record 5 for reverse documentation (file kind 18), of record 304
// for any other kind; 0 when the file kind or the board cannot be read.
std::uint8_t GetOptionBoard(std::uint8_t set);

// 1 when the data set holds a scope recording: file kind 18 and at least one of the eight channel words of
// record 454 (offsets 12, 16, ..., 40) neither 0 nor 65535; else 0 (also when a read fails).
std::uint8_t HasScopeData(std::uint8_t set);

// Parameter-set twins 34/35, 38/39, 40/41, 42/43, 46/47, 48/49, 53/54, 57/58, 59/60.
// The other record of a twin pair; 0 for a record that has none.
std::uint16_t TwinRecord(std::uint16_t record);
// 1 or 2 for a twin record, 0 for any other record.
std::uint8_t ParameterSetOfRecord(std::uint16_t record);
// The governing record of the asked record's parameter set: `set1_record` (a set-1 record), or its twin when
// the asked record belongs to set 2.
std::uint16_t SameSetRecord(std::uint16_t asked, std::uint16_t set1_record);
// The row-given form: `set2_record` when the asked record is one of `set2_askers`, else `set1_record`.
std::uint16_t GoverningRecord(std::uint16_t asked, std::uint16_t set1_record, std::uint16_t set2_record,
                              std::initializer_list<std::uint16_t> set2_askers);

// Reads the low byte of (record, element) of `set` in raw mode: 0 with the byte, else the read's status.
std::uint8_t ReadCheckByte(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint8_t* out);
// The same for the low 16 bits (file kind, scope channel words).
std::uint8_t ReadCheckWord(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint16_t* out);

// Read-failure injection for tests: the reads above of (record, element) then fail with `status` (non-zero)
// in every data set. Cleared by ClearCheckReadFailures.
void InjectCheckReadFailure(std::uint16_t record, std::uint16_t element, std::uint8_t status);
void ClearCheckReadFailures();

}  // namespace model
