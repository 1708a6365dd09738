#include "undo_history.h"

#include "stored_value.h"

void UndoHistory::KeepReplaced(std::wstring replaced, std::wstring_view written) {
    if (AsReadBack(written) == replaced)
        return;
    if (values_.size() == kLimit)
        values_.pop_front();
    values_.push_back(std::move(replaced));
}
