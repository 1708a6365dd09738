// What the program's own writes replaced, newest last: a step each, the keys it changed with the
// values that take them back (or, for redo, forward again).
#pragma once

#include <cstddef>
#include <vector>

#include "ini_keys.h"

using HistoryStep = std::vector<KeyValue>;

class UndoHistory {
  public:
    static constexpr std::size_t kLimit = 32;

    // Beyond the limit the oldest goes.
    void Push(HistoryStep step);
    bool Empty() const { return steps_.empty(); }
    std::size_t Size() const { return steps_.size(); }
    const HistoryStep& Newest() const { return steps_.back(); }
    void DropNewest() { steps_.pop_back(); }
    void Clear() { steps_.clear(); }
    // Drops the newest step that holds the key, with every step older than it: writing any of
    // them back would overwrite what another program stored there.
    void ForgetThrough(IniKey key);

  private:
    std::vector<HistoryStep> steps_;
};
