// Components: objects with a Name and a Tag that belong to an owner. The owner keeps them and destroys them
// with itself, newest first; FindComponent finds one of its own by Name (case ignored).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/vcl/types.h"

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  TComponent* Owner() const { return owner_; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)).get(); }
  // One of the owned components by Name, searched through the owned components of those too (a form finds the
  // controls of its panels); null when none.
  TComponent* FindComponent(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  // Makes a component owned by this one and gives it a name; returns it (the owner keeps it).
  template <class T, class... Args>
  T* Add(std::string name, Args&&... args) {
    auto made = std::make_unique<T>(this, std::forward<Args>(args)...);
    T* raw = made.get();
    raw->SetName(std::move(name));
    components_.push_back(std::move(made));
    return raw;
  }
  // Takes over a component made elsewhere (its Owner must be this one).
  TComponent* Insert(std::unique_ptr<TComponent> component);
  // Destroys an owned component now.
  void DestroyComponent(TComponent* component);

 protected:
  // Destroys every owned component, newest first (a derived destructor calls it while its own parts live).
  void DestroyComponents();

 private:
  TComponent* owner_;
  std::string name_;
  int tag_ = 0;
  std::vector<std::unique_ptr<TComponent>> components_;
};

// A container of non-visual components that is not a form (created by the application like one).
class TDataModule : public TComponent {
 public:
  explicit TDataModule(TComponent* owner) : TComponent(owner) {}
  ~TDataModule() override;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  void DoCreate() {
    if (OnCreate) OnCreate(this);
  }
};
