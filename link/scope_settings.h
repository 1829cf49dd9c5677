// The recorder's settings in record 454: the selection lists, a channel's signal, the trigger and its level,
// the sampling index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ilink {

// Builds the selection list for the data set's version: "inactive" first, then the signal rows the firmware
// letter offers; the developer rows only at access level 2 (element 11 of record 305 of data set 0) or with
// raw values on (element 156). At most ScopeSignalListSize() entries. The list's size.
std::uint16_t BuildScopeSignalList(std::uint8_t set);
// The signal-table row of list entry n of the last built list; kNoScopeRow beyond it.
std::uint16_t ScopeSignalListRow(std::uint16_t n);

// The selection list's names (family 2 shows "E18 relay 2" as "E18 BA 2"): 0, 18 for a channel above 7,
// 1 for a data set that does not exist.
std::uint8_t GetScopeSignalNames(std::uint8_t channel, std::vector<std::string>* names, std::uint8_t set);
// The list entry of the channel's current signal (0 for an off channel, the user-defined entry for a pair
// of no row); 0 when it cannot be read.
std::uint16_t GetScopeSignalSelection(std::uint8_t channel, std::uint8_t set);
// The channel's signal name and the user's own text (the code text of a user-defined channel, else "").
std::uint8_t GetScopeSignalTexts(std::uint8_t channel, std::string* name, std::string* text, std::uint8_t set);

// "BB<record>.<element>" (either letter in either case, leading blanks, '.' or ','): 1 with the pair.
std::uint8_t ParseScopeReference(const char* text, std::uint16_t* record, std::uint16_t* element);

// Stores list entry n's signal as channel c's pair in record 454; for the user-defined entry `code` names a
// parameter code or a "BB" reference. 0; 18 channel above 7; 20 n above 125 or beyond the list; 1 no such
// data set; else the write's status. A reference that names nothing sampleable stores (0, 0).
std::uint8_t SetScopeChannelSignal(std::uint8_t channel, std::uint16_t n, const char* code, std::uint8_t set);

// Rebuilds the unit texts and raises the sampling index to 11 (5 ms) with 5 or more channels in use and to
// 12 (10 ms) with 7 or more.
std::uint8_t RaiseScopeSamplingIndex(std::uint8_t set);

// Trigger sources.
void GetScopeTriggerNames(std::vector<std::string>* names);
// The trigger row that record 454 selects (0 when unreadable or unmatched).
std::uint16_t GetScopeTriggerSelection(std::uint8_t set);
// Writes trigger row n into record 454: kind, mode, signal pair (from the signal row, the fixed row, or `code`
// for the user-defined row) and the level, which goes back to the row's default when the signal changes.
// 0; 20 bad index; 1 no such data set; else the write's status.
std::uint8_t SetScopeTrigger(std::uint16_t n, const char* code, std::uint8_t set);
// The code text of the user-defined trigger: the text SetScopeTrigger was given while it still names the trigger
// pair of record 454, else "BB<record>.<element>"; "" when another trigger is selected. 0; 1 no such data set.
std::uint8_t GetScopeTriggerText(std::string* text, std::uint8_t set);
// The trigger level in display units; 0.0 when the selected row has no level.
double GetScopeTriggerLevel(std::uint8_t set);
// Converts a displayed level (decimal point or comma) into the trigger element's stored form without
// touching that element, and stores it as element 4 of record 454. 0; 6 text not a number or the trigger
// takes no level; 1 no such data set; else the conversion's or write's status.
std::uint8_t SetScopeTriggerLevel(const char* text, std::uint8_t set);

}  // namespace ilink
