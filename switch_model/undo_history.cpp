#include "undo_history.h"

#include <algorithm>

void UndoHistory::Push(HistoryStep step) {
    if (steps_.size() == kLimit)
        steps_.erase(steps_.begin());
    steps_.push_back(std::move(step));
}

void UndoHistory::ForgetThrough(IniKey key) {
    const auto newest =
        std::find_if(steps_.rbegin(), steps_.rend(), [key](const HistoryStep& step) {
            return std::any_of(step.begin(), step.end(),
                               [key](const KeyValue& value) { return value.key == key; });
        });
    steps_.erase(steps_.begin(), newest.base());
}
