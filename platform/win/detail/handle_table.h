// A table of objects behind opaque handles: the value carries the slot index and a generation, so a handle of a
// destroyed object never reaches the object that later takes its slot.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace platform::win::detail {

template <class T>
class HandleTable {
 public:
  // tag keeps the values of different tables apart (bits 28..30).
  explicit HandleTable(unsigned tag) : tag_(tag & 0x7) {}

  std::uintptr_t Add(std::unique_ptr<T> object) {
    std::size_t index;
    if (free_.size() > 32 || (slots_.size() > kIndexMask && !free_.empty())) {
      index = free_.front();
      free_.pop_front();
    } else if (slots_.size() <= kIndexMask) {
      index = slots_.size();
      slots_.emplace_back();
    } else {
      return 0;
    }
    Slot& s = slots_[index];
    s.generation = static_cast<std::uint16_t>((s.generation % 0x0FFF) + 1);
    s.object = std::move(object);
    return Encode(index, s.generation);
  }

  T* Get(std::uintptr_t value) const {
    std::size_t index = value & kIndexMask;
    if (((value >> 28) & 0x7) != tag_ || index == 0 || index >= slots_.size()) return nullptr;
    const Slot& s = slots_[index];
    if (!s.object || s.generation != ((value >> 16) & 0x0FFF)) return nullptr;
    return s.object.get();
  }

  bool Remove(std::uintptr_t value) {
    if (!Get(value)) return false;
    std::size_t index = value & kIndexMask;
    std::unique_ptr<T> gone = std::move(slots_[index].object);
    free_.push_back(index);
    return true;
  }

 private:
  static constexpr std::uintptr_t kIndexMask = 0xFFFF;
  struct Slot {
    std::uint16_t generation = 0;
    std::unique_ptr<T> object;
  };
  std::uintptr_t Encode(std::size_t index, std::uint16_t generation) const {
    return (static_cast<std::uintptr_t>(tag_) << 28) | (static_cast<std::uintptr_t>(generation) << 16) | index;
  }

  unsigned tag_;
  std::vector<Slot> slots_{1};
  std::deque<std::size_t> free_;
};

}  // namespace platform::win::detail
