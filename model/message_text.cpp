#include "model/message_text.h"

#include <algorithm>
#include <cstring>

#include "model/message_catalogue.h"

namespace model {
namespace {

int TextGroup(std::int8_t group) {
  return group < 0 || group >= kMessageGroupCount ? kMessageGroupCount - 1 : group;
}

std::string Cut(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

}  // namespace

std::string BuildMessageTitle(std::int8_t group, bool blank_line_feeds) {
  if (group < 0 || group >= kMessageGroupCount) return "Titel Nr. " + std::to_string(group);
  std::string title = Cut(MessageGroupTitle(group), kMessageTitleLimit);
  if (blank_line_feeds) std::replace(title.begin(), title.end(), '\n', ' ');
  return title;
}

std::string BuildMessageText(std::int8_t group, std::int32_t number) {
  const auto texts = MessageGroupTexts(TextGroup(group));
  if (number < 0 || static_cast<std::uint32_t>(number) >= texts.size()) {
    return "Anzeigetext Nr. " + std::to_string(number);
  }
  return Cut(texts[static_cast<std::size_t>(number)], kMessageTextLimit);
}

std::string SubstituteMessageInsert(std::string_view text, const char* insert) {
  text = text.substr(0, kMessageTextLimit);
  const std::size_t at = text.find("%s");
  if (at == std::string_view::npos) return std::string(text);
  std::string_view piece;
  if (insert != nullptr) piece = std::string_view(insert, strnlen(insert, kMessageInsertLimit));
  std::string result(text.substr(0, at));
  result += piece;
  result += text.substr(at + 2);
  return Cut(result, kMessageTextLimit);
}

}  // namespace model
