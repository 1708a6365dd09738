// The values the program's own writes replaced, for Ctrl+Z to write back.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

class UndoHistory {
  public:
    static constexpr std::size_t kLimit = 32;

    // Keeps the value a write replaced, as the profile functions gave it back, when the write
    // changed it; beyond the limit the oldest goes.
    void KeepReplaced(std::wstring replaced, std::wstring_view written);
    bool Empty() const { return values_.empty(); }
    const std::wstring& Newest() const { return values_.back(); }
    void DropNewest() { values_.pop_back(); }
    void Clear() { values_.clear(); }

  private:
    std::deque<std::wstring> values_; // newest last
};
