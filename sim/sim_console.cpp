#include "sim/sim_console.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace sim {
namespace {

constexpr long kHighestAddress = 31;
constexpr long kHighestCode = 255;
constexpr long kHighestLoad = 200;

bool Number(const std::string& text, long lo, long hi, long* out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const long v = std::strtol(text.c_str(), nullptr, 10);
  if (v < lo || v > hi) return false;
  *out = v;
  return true;
}

}  // namespace

std::optional<ConsoleCommand> ParseConsoleLine(const std::string& line, std::string* error) {
  error->clear();
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  if (words.empty() || words[0][0] == '#') return std::nullopt;
  const std::string& verb = words[0];
  ConsoleCommand c;
  std::size_t arguments = 0;  // the words the command takes before the optional address
  if (verb == "hw-enable") {
    c.kind = ConsoleKind::kHardwareEnable;
    arguments = 1;
    if (words.size() < 2 || (words[1] != "on" && words[1] != "off")) {
      *error = "hw-enable takes on or off";
      return std::nullopt;
    }
    c.value = words[1] == "on" ? 1 : 0;
  } else if (verb == "trip") {
    c.kind = ConsoleKind::kTrip;
    arguments = 1;
    if (words.size() < 2 || !Number(words[1], 1, kHighestCode, &c.value)) {
      *error = "trip takes a fault code 1..255";
      return std::nullopt;
    }
  } else if (verb == "load") {
    c.kind = ConsoleKind::kLoad;
    arguments = 1;
    if (words.size() < 2 || !Number(words[1], 0, kHighestLoad, &c.value)) {
      *error = "load takes a percentage 0..200";
      return std::nullopt;
    }
  } else if (verb == "ack") {
    c.kind = ConsoleKind::kAcknowledge;
  } else if (verb == "state") {
    c.kind = ConsoleKind::kState;
  } else if (verb == "help") {
    c.kind = ConsoleKind::kHelp;
  } else if (verb == "quit") {
    c.kind = ConsoleKind::kQuit;
  } else {
    *error = "unknown command \"" + verb + "\"";
    return std::nullopt;
  }
  const bool takes_address = c.kind != ConsoleKind::kHelp && c.kind != ConsoleKind::kQuit;
  if (words.size() > arguments + 2 || (words.size() == arguments + 2 && !takes_address)) {
    *error = "too many words for " + verb;
    return std::nullopt;
  }
  if (words.size() == arguments + 2) {
    long a = 0;
    if (!Number(words.back(), 0, kHighestAddress, &a)) {
      *error = "an address is 0..31, not \"" + words.back() + "\"";
      return std::nullopt;
    }
    c.address = static_cast<int>(a);
  }
  return c;
}

}  // namespace sim
