// A log of the drawing calls made on any DC, one line a call, for tests that assert on what was drawn:
// "Rectangle mem 0,0,10,10", "TextOut window 5,5 'abc'". Off unless a test starts it.
#pragma once

#include <string>
#include <vector>

namespace platform::gdi {

void StartCallLog();
void StopCallLog();
bool CallLogActive();
// The lines logged since the start or the last take; the log keeps running.
std::vector<std::string> TakeCallLog();
void AppendCallLog(std::string line);

}  // namespace platform::gdi
