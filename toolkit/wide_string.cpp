#include "wide_string.h"

#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr std::uint32_t kDefaultCapacity = 520;
constexpr WideUnit kEmptyText[1] = {};

} // namespace

DynamicWideString::DynamicWideString() {
    ResizeBuffer(kDefaultCapacity, true);
}

DynamicWideString::DynamicWideString(const WideUnit* text) {
    if (text == nullptr)
        ResizeBuffer(kDefaultCapacity, false);
    else
        AppendText(text);
}

DynamicWideString::DynamicWideString(std::string_view narrow) {
    if (narrow.empty())
        ResizeBuffer(static_cast<std::uint32_t>(growStep_), false);
    else
        AppendNarrow(narrow);
}

DynamicWideString::DynamicWideString(const DynamicWideString& other) : DynamicWideString() {
    Assign(other);
}

DynamicWideString& DynamicWideString::operator=(const DynamicWideString& other) {
    Assign(other);
    return *this;
}

DynamicWideString::DynamicWideString(DynamicWideString&& other) noexcept
    : buffer_(std::move(other.buffer_)), length_(std::exchange(other.length_, 0)),
      capacity_(std::exchange(other.capacity_, 0)), growStep_(other.growStep_) {}

DynamicWideString& DynamicWideString::operator=(DynamicWideString&& other) noexcept {
    if (this != &other) {
        buffer_ = std::move(other.buffer_);
        length_ = std::exchange(other.length_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        growStep_ = other.growStep_;
    }
    return *this;
}

void DynamicWideString::Terminate() {
    auto* bytes = reinterpret_cast<unsigned char*>(buffer_.get());
    bytes[length_] = 0;
    bytes[length_ + 1] = 0;
}

std::uint32_t DynamicWideString::ResizeBuffer(std::uint32_t capacityBytes, bool zeroFill) {
    const std::uint64_t capacity = capacityBytes + std::uint64_t{capacityBytes % 2};
    if (capacity > kMaxCapacity)
        return length_;
    const auto bytes = static_cast<std::size_t>(capacity + 2);
    void* fresh = zeroFill ? std::calloc(bytes, 1) : std::malloc(bytes);
    if (fresh == nullptr)
        return length_;
    std::unique_ptr<WideUnit, FreeBuffer> grown(static_cast<WideUnit*>(fresh));
    if (buffer_) {
        if (capacity < length_)
            length_ = static_cast<std::uint32_t>(capacity);
        std::memcpy(grown.get(), buffer_.get(), length_);
    } else {
        length_ = 0;
    }
    buffer_ = std::move(grown);
    capacity_ = static_cast<std::uint32_t>(capacity);
    Terminate();
    return length_;
}

bool DynamicWideString::AppendBytes(const void* source, std::uint32_t byteCount) {
    const std::uint64_t need = std::uint64_t{length_} + byteCount;
    if (capacity_ < need && need + static_cast<std::uint64_t>(growStep_) <= kMaxCapacity)
        ResizeBuffer(static_cast<std::uint32_t>(need + static_cast<std::uint64_t>(growStep_)),
                     false);
    if (!buffer_ || capacity_ < need)
        return false;
    if (byteCount != 0)
        std::memcpy(reinterpret_cast<unsigned char*>(buffer_.get()) + length_, source, byteCount);
    length_ = static_cast<std::uint32_t>(need);
    Terminate();
    return true;
}

bool DynamicWideString::AppendText(const WideUnit* text) {
    if (text == nullptr || *text == 0)
        return true;
    const std::size_t units = std::char_traits<WideUnit>::length(text);
    if (units > kMaxCapacity / 2)
        return false;
    return AppendBytes(text, static_cast<std::uint32_t>(units * 2));
}

void DynamicWideString::Assign(const DynamicWideString& other) {
    if (buffer_.get() == other.buffer_.get())
        return;
    Clear();
    if (other.length_ != 0)
        AppendBytes(other.buffer_.get(), other.length_);
}

void DynamicWideString::AssignText(const WideUnit* text) {
    if (text == buffer_.get())
        return;
    Clear();
    if (text != nullptr)
        AppendText(text);
}

void DynamicWideString::Clear() {
    length_ = 0;
    if (buffer_)
        Terminate();
}

DynamicWideString DynamicWideString::Concat(const DynamicWideString& left,
                                            const DynamicWideString& right) {
    DynamicWideString scratch{NoBuffer{}};
    if (left.length_ != 0)
        scratch.AppendBytes(left.buffer_.get(), left.length_);
    else
        scratch.ResizeBuffer(kDefaultCapacity, false);
    if (right.length_ != 0)
        scratch.AppendBytes(right.buffer_.get(), right.length_);
    DynamicWideString result;
    result.Assign(scratch);
    return result;
}

std::basic_string_view<WideUnit> DynamicWideString::view() const {
    return {c_str(), length_ / 2};
}

const WideUnit* DynamicWideString::c_str() const {
    return buffer_ ? buffer_.get() : kEmptyText;
}
