// The registry of dialog templates by module and number or name.
#include <cctype>
#include <map>
#include <string>
#include <utility>

#include "platform/sys/dynamic_library.h"
#include "platform/win/dialog_template.h"
#include "platform/win/messages.h"
#include "platform/win/resource_name.h"

namespace platform::win {
namespace {

std::string Key(LPCSTR name) { return ResourceNameKey(name); }

// A template is either there, or made by its maker on the first look-up and kept from then on.
struct Entry {
  const DialogTemplate* dialog = nullptr;
  std::function<const DialogTemplate*()> make;

  const DialogTemplate* Get() {
    if (dialog == nullptr && make) dialog = std::exchange(make, nullptr)();
    return dialog;
  }
};

using Registry = std::map<std::pair<std::uintptr_t, std::string>, Entry>;

Registry& Templates() {
  static Registry r;
  return r;
}

[[maybe_unused]] const int kDropOnUnload =
    platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kAfterClose, [](HMODULE module) {
      std::erase_if(Templates(), [&](const auto& e) { return e.first.first == reinterpret_cast<std::uintptr_t>(module); });
    });

}  // namespace

void RegisterDialogTemplate(HINSTANCE instance, LPCSTR name, const DialogTemplate* dialog) {
  auto key = std::make_pair(reinterpret_cast<std::uintptr_t>(instance), Key(name));
  if (dialog) {
    Templates()[key] = Entry{dialog, nullptr};
  } else {
    Templates().erase(key);
  }
}

void RegisterDialogTemplateMaker(HINSTANCE instance, LPCSTR name, std::function<const DialogTemplate*()> make) {
  auto key = std::make_pair(reinterpret_cast<std::uintptr_t>(instance), Key(name));
  if (make) {
    Templates()[key] = Entry{nullptr, std::move(make)};
  } else {
    Templates().erase(key);
  }
}

const DialogTemplate* FindDialogTemplate(HINSTANCE instance, LPCSTR name) {
  std::string key = Key(name);
  auto& r = Templates();
  auto it = r.find(std::make_pair(reinterpret_cast<std::uintptr_t>(instance), key));
  if (it != r.end()) return it->second.Get();
  for (auto& [k, v] : r)
    if (k.second == key) return v.Get();
  return nullptr;
}

}  // namespace platform::win
