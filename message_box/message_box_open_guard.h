// The messageBoxOpen flag raised for the life of a box.
#pragma once

#include <utility>

// Raises the flag and, however the scope ends, puts back the value it found: a box opened while
// another is up must not lower the flag under the outer one.
class MessageBoxOpenGuard {
  public:
    explicit MessageBoxOpenGuard(bool& flag) : flag_(flag), found_(std::exchange(flag, true)) {}
    ~MessageBoxOpenGuard() { flag_ = found_; }
    MessageBoxOpenGuard(const MessageBoxOpenGuard&) = delete;
    MessageBoxOpenGuard& operator=(const MessageBoxOpenGuard&) = delete;

  private:
    bool& flag_;
    bool found_;
};
