// DynamicWideString: a growable UTF-16 string whose buffer is always NUL-terminated, so data()
// goes straight to wide Win32 calls. Lengths and capacities are in bytes, 2 per unit.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

// UTF-16 in both builds: wchar_t under Windows, char16_t where wchar_t is wider.
#ifdef _WIN32
using WideUnit = wchar_t;
#else
using WideUnit = char16_t;
#endif

class DynamicWideString {
  public:
    // The largest capacity whose buffer and terminator still fit the 32-bit byte counts.
    static constexpr std::uint32_t kMaxCapacity = 0xFFFFFFFCu;

    DynamicWideString();                              // empty, 520 bytes of capacity
    explicit DynamicWideString(const WideUnit* text); // may be null; an empty text: no buffer
    explicit DynamicWideString(std::string_view narrow);
    DynamicWideString(const DynamicWideString& other);
    DynamicWideString& operator=(const DynamicWideString& other); // Assign
    DynamicWideString(DynamicWideString&& other) noexcept;
    DynamicWideString& operator=(DynamicWideString&& other) noexcept;
    ~DynamicWideString() = default;

    // A failed allocation keeps the old buffer and capacity.
    std::uint32_t ResizeBuffer(std::uint32_t capacityBytes, bool zeroFill);
    // False, and nothing changed, when the buffer cannot hold the result.
    bool AppendBytes(const void* source, std::uint32_t byteCount);
    bool AppendText(const WideUnit* text);
    // Through the user's ANSI code page under Windows; byte for byte (Latin-1) natively.
    bool AppendNarrow(std::string_view narrow);
    void Assign(const DynamicWideString& other);
    void AssignText(const WideUnit* text);
    void Clear();
    static DynamicWideString Concat(const DynamicWideString& left, const DynamicWideString& right);

    const WideUnit* data() const { return buffer_.get(); }
    std::uint32_t length() const { return length_; }
    std::uint32_t capacity() const { return capacity_; }
    std::int32_t growStep() const { return growStep_; }
    std::basic_string_view<WideUnit> view() const;
    // A text to hand to a call that needs a pointer even when there is no buffer.
    const WideUnit* c_str() const;

  private:
    struct FreeBuffer {
        void operator()(WideUnit* p) const noexcept { std::free(p); }
    };
    struct NoBuffer {};
    explicit DynamicWideString(NoBuffer) {}
    void Terminate();

    std::unique_ptr<WideUnit, FreeBuffer> buffer_;
    std::uint32_t length_ = 0;
    std::uint32_t capacity_ = 0;
    std::int32_t growStep_ = 520;
};
