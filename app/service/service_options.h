// The options of the command-line service mode: which arguments start it, and the job they name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/service/service_texts.h"

namespace app {

// Services ("/serv=" values), numbered as the job runs them.
inline constexpr std::uint8_t kServiceRead = 1;
inline constexpr std::uint8_t kServiceSend = 2;
inline constexpr std::uint8_t kServiceSendSave = 3;

// Options, in the order of the option table.
enum class ServiceOption : std::uint8_t { kWindow, kFile, kService, kPort, kAddress, kCount };

struct ServiceOptionRow {
  ServiceOption option;
  std::string_view name;       // "/wnd=": matched ignoring case at the start of an argument
  std::string_view fallback;   // value when absent; empty for a required option
};
std::span<const ServiceOptionRow> ServiceOptionTable();

inline constexpr std::size_t kServiceFileMax = 256;  // longest accepted path
inline constexpr unsigned kHighestPortNumber = 16;  // "/com=1" .. "/com=16": COM1 .. COM16
inline constexpr unsigned kHighestBusAddress = 30;

// The option an argument begins with (ignoring case); kCount when none.
ServiceOption OptionOfArgument(std::string_view argument);
// True when an argument begins with one of the options: the program then runs the service mode and no window.
bool IsServiceCommandLine(std::span<const std::string> arguments);

// The job that a service command line names.
struct ServiceRequest {
  bool report = false;          // "/wnd=" full, norm or hide: a result text is given
  std::string path;             // "/file=", case kept
  std::uint8_t service = 0;     // kServiceRead .. kServiceSendSave
  std::uint8_t port_index = 0;  // "/com=" minus 1
  std::uint8_t address = 0;     // "/adr="
};

// Reads the arguments into request: 0, or 1 with the text that names the fault. The window mode is taken
// first, so that even a faulty line reports in the reporting modes. Values are compared whole; a value is
// never cut or bent into range: too long a path, an unknown service, a port or address out of range, an
// option given twice or an argument that is no option are faults.
std::uint8_t ParseServiceRequest(std::span<const std::string> arguments, ServiceRequest* request,
                                 ServiceTextId* fault);

}  // namespace app
