#include "undo_history.h"

void UndoHistory::Push(std::wstring replaced) {
    if (values_.size() == kLimit)
        values_.pop_front();
    values_.push_back(std::move(replaced));
}
