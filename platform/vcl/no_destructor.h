// Storage for an object that lives until the process ends and is never destroyed: the layer's registries are
// used by exit handlers and by objects whose own destruction order at exit is not known.
#pragma once

#include <new>
#include <utility>

template <class T>
class NoDestructor {
 public:
  template <class... Args>
  explicit NoDestructor(Args&&... args) {
    new (storage_) T(std::forward<Args>(args)...);
  }
  T* get() { return std::launder(reinterpret_cast<T*>(storage_)); }
  T& operator*() { return *get(); }
  T* operator->() { return get(); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};
