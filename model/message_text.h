// Building the title and text of a shown message from the catalogue: fallbacks for unknown groups and
// numbers, the buffer limits, and the literal substitution of the insert.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace model {

// The title of a group cut to 49 characters; a group outside 0..14 (negative ones too) gives "Titel Nr. <group>".
// With blank_line_feeds every line feed becomes a blank (the message dialogs do this, the message box does not).
std::string BuildMessageTitle(std::int8_t group, bool blank_line_feeds);

// Text `number` of the group cut to 799 characters; a group outside 0..14 takes its texts from the last group.
// A number outside the list (negative ones too) gives "Anzeigetext Nr. <number>".
std::string BuildMessageText(std::int8_t group, std::int32_t number);

// Replaces the first "%s" of text by the insert cut to 149 characters (nullptr: by nothing), the result kept
// within 799 characters. The insert is copied as it is; neither it nor the text is ever used as a format.
std::string SubstituteMessageInsert(std::string_view text, const char* insert);

}  // namespace model
