// Fuzz target: the command line of the service mode. The input is split at zero bytes into arguments; the
// parser answers 0 with a job inside its ranges, or 1 with the text that names the fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/service/service_options.h"
#include "app/service/service_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  const bool service = app::IsServiceCommandLine(arguments);
  app::ServiceRequest request;
  app::ServiceTextId fault = app::ServiceTextId::kCount;
  const std::uint8_t status = app::ParseServiceRequest(arguments, &request, &fault);
  if (status == 0) {
    if (!service || request.path.empty() || request.path.size() > app::kServiceFileMax) __builtin_trap();
    if (request.service < app::kServiceRead || request.service > app::kServiceSendSave) __builtin_trap();
    if (request.port_index >= app::kHighestPortNumber || request.address > app::kHighestBusAddress) __builtin_trap();
  } else if (status != 1 || fault == app::ServiceTextId::kCount || *app::ServiceText(fault) == '\0') {
    __builtin_trap();
  }
  return 0;
}
