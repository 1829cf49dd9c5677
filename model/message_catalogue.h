// The compiled-in message catalogue: 15 group titles and, under each, a numbered list of texts, held in two
// language slots with the same contents (slot 0 is the one shown). Status bytes of the model and the link
// double as text numbers in one group.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace model {

inline constexpr int kMessageGroupCount = 15;
inline constexpr int kMessageLanguageCount = 2;
inline constexpr int kMessageLanguage = 0;  // the slot in use

// Buffer limits of the texts as shown: title 50, text 800, insert 150 characters including the terminator.
inline constexpr std::size_t kMessageTitleLimit = 49;
inline constexpr std::size_t kMessageTextLimit = 799;
inline constexpr std::size_t kMessageInsertLimit = 149;

// The title of a group (empty for a group outside 0..14).
std::string_view MessageGroupTitle(int group, int language = kMessageLanguage);

// The text list of a group: empty for group 0 and for a group outside 0..14; group 6 gives the list of group 5.
std::span<const std::string_view> MessageGroupTexts(int group, int language = kMessageLanguage);

// Copies text `number` of `group` into out: at most size - 1 characters and a terminator. Returns 0, or 1 (out
// left untouched) when group or number is negative or beyond the catalogue, or when there is no room (size < 1).
std::uint8_t GetMessageText(std::int8_t group, std::int16_t number, char* out, std::int16_t size);

// 14, the last group.
std::uint8_t LastMessageGroupIndex();

// The highest text number of a group; 0 for a group outside 0..14 and for group 0, which has no texts.
std::int16_t LastMessageIndex(std::int8_t group);

}  // namespace model
