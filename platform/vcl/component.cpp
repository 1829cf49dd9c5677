#include "platform/vcl/component.h"

#include <algorithm>

#include "platform/sys/ini_document.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (const auto& c : components_)
    if (platform::sys::IniNamesEqual(c->Name(), name)) return c.get();
  for (const auto& c : components_)
    if (TComponent* found = c->FindComponent(name)) return found;
  return nullptr;
}

TComponent* TComponent::Insert(std::unique_ptr<TComponent> component) {
  TComponent* raw = component.get();
  components_.push_back(std::move(component));
  return raw;
}

void TComponent::DestroyComponent(TComponent* component) {
  auto it = std::find_if(components_.begin(), components_.end(), [&](const auto& c) { return c.get() == component; });
  if (it == components_.end()) return;
  std::unique_ptr<TComponent> doomed = std::move(*it);
  components_.erase(it);
}

TDataModule::~TDataModule() {
  if (OnDestroy) OnDestroy(this);
  DestroyComponents();
}
