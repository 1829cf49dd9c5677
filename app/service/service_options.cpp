// Reading the service command line: one option an argument, its value the rest of the argument as given.
#include "app/service/service_options.h"

#include <array>
#include <cctype>
#include <optional>

namespace app {
namespace {

constexpr std::array<ServiceOptionRow, static_cast<std::size_t>(ServiceOption::kCount)> kOptionTable = {{
    {ServiceOption::kWindow, "/wnd=", "none"},
    {ServiceOption::kFile, "/file=", ""},
    {ServiceOption::kService, "/serv=", ""},
    {ServiceOption::kPort, "/com=", "1"},
    {ServiceOption::kAddress, "/adr=", "0"},
}};

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A decimal number of digits only, within [low, high].
std::optional<unsigned> DecimalIn(std::string_view text, unsigned low, unsigned high) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::uint8_t ServiceNumber(std::string_view lowered) {
  if (lowered == "read") return kServiceRead;
  if (lowered == "send") return kServiceSend;
  if (lowered == "send_save") return kServiceSendSave;
  return 0;
}

}  // namespace

std::span<const ServiceOptionRow> ServiceOptionTable() { return kOptionTable; }

ServiceOption OptionOfArgument(std::string_view argument) {
  for (const ServiceOptionRow& row : kOptionTable) {
    if (StartsWithIgnoringCase(argument, row.name)) return row.option;
  }
  return ServiceOption::kCount;
}

bool IsServiceCommandLine(std::span<const std::string> arguments) {
  for (const std::string& a : arguments) {
    if (OptionOfArgument(a) != ServiceOption::kCount) return true;
  }
  return false;
}

std::uint8_t ParseServiceRequest(std::span<const std::string> arguments, ServiceRequest* request,
                                 ServiceTextId* fault) {
  *request = ServiceRequest{};
  std::array<std::optional<std::string>, kOptionTable.size()> values;
  bool twice = false;
  bool stray = false;
  for (const std::string& a : arguments) {
    const ServiceOption option = OptionOfArgument(a);
    if (option == ServiceOption::kCount) {
      stray = true;
      continue;
    }
    const ServiceOptionRow& row = kOptionTable[static_cast<std::size_t>(option)];
    auto& slot = values[static_cast<std::size_t>(option)];
    if (slot) twice = true;
    else slot = a.substr(row.name.size());
  }
  const auto value = [&](ServiceOption option) -> std::string {
    const auto& slot = values[static_cast<std::size_t>(option)];
    return slot ? *slot : std::string(kOptionTable[static_cast<std::size_t>(option)].fallback);
  };

  const std::string window = Lower(value(ServiceOption::kWindow));
  request->report = window == "full" || window == "norm" || window == "hide";

  const auto refuse = [&](ServiceTextId id) {
    *fault = id;
    return std::uint8_t{1};
  };
  if (stray) return refuse(ServiceTextId::kArgumentUnknown);
  if (twice) return refuse(ServiceTextId::kOptionTwice);
  // "/file=" without a path names no file either.
  const auto& file = values[static_cast<std::size_t>(ServiceOption::kFile)];
  if (!file || file->empty()) return refuse(ServiceTextId::kFileMissing);
  if (!values[static_cast<std::size_t>(ServiceOption::kService)]) return refuse(ServiceTextId::kServiceMissing);
  request->path = value(ServiceOption::kFile);
  if (request->path.size() > kServiceFileMax) return refuse(ServiceTextId::kFileTooLong);
  request->service = ServiceNumber(Lower(value(ServiceOption::kService)));
  if (request->service == 0) return refuse(ServiceTextId::kServiceUnknown);
  const auto port = DecimalIn(value(ServiceOption::kPort), 1, kHighestPortNumber);
  if (!port) return refuse(ServiceTextId::kPortInvalid);
  request->port_index = static_cast<std::uint8_t>(*port - 1);
  const auto address = DecimalIn(value(ServiceOption::kAddress), 0, kHighestBusAddress);
  if (!address) return refuse(ServiceTextId::kAddressInvalid);
  request->address = static_cast<std::uint8_t>(*address);
  return 0;
}

}  // namespace app
