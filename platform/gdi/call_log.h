// A log of the drawing calls made on any DC, one line a call, for tests that assert on what was drawn:
// "Rectangle mem 0,0,10,10", "TextOut window 5,5 'abc'". Off unless a test starts it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

void StartCallLog();
void StopCallLog();
bool CallLogActive();
// The lines logged since the start or the last take; the log keeps running.
std::vector<std::string> TakeCallLog();
void AppendCallLog(std::string line);
// Logs "call dc v1,v2,..." while the log runs.
void LogCall(std::string_view dc_name, const char* call, std::initializer_list<long> values);

}  // namespace platform::gdi
