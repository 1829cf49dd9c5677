// The timing and range of the bus search (SearchInverters, online_services.h). The search covers 0 to the
// highest address (record 305 element 13 of data set 0, at most 30; 0, a single inverter's setting, searches the
// whole bus). Each address gets one try and the reply wait of one slave (element 38 of record 305), so that the
// search takes at most SearchDurationMs. The transfer's cancel query, when set, is asked before each address: true
// ends the search there with kCancelled.
#pragma once

#include <cstdint>

namespace ilink {

// The addresses a search covers (1..31) and the most it waits for them all, in ms, from the settings of data set 0.
std::uint8_t SearchedAddressCount();
double SearchDurationMs();

}  // namespace ilink
