// What the program's own writes replaced, newest last, for Ctrl+Z to write back.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

class UndoHistory {
  public:
    static constexpr std::size_t kLimit = 32;

    // Beyond the limit the oldest goes.
    void Push(std::wstring replaced);
    bool Empty() const { return values_.empty(); }
    std::size_t Size() const { return values_.size(); }
    const std::wstring& Newest() const { return values_.back(); }
    void DropNewest() { values_.pop_back(); }
    void Clear() { values_.clear(); }

  private:
    std::deque<std::wstring> values_;
};
