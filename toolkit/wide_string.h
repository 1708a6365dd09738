// DynamicWideString: the program's owning UTF-16 text for paths and window texts. data() is
// always NUL-terminated, so it goes straight to wide Win32 calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A number in decimal digits. std::to_wstring formats through the C library's printf, whose
// floating-point formatting then comes along into a statically linked program: about 15 KB.
inline std::wstring DecimalText(std::uint64_t value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

class DynamicWideString {
  public:
    DynamicWideString() = default;
    explicit DynamicWideString(std::wstring_view text) : text_(text) {}

    void AppendText(std::wstring_view text) { text_.append(text); }

    const wchar_t* data() const { return text_.c_str(); }
    std::wstring_view view() const { return text_; }
    bool operator==(const DynamicWideString&) const = default;

  private:
    std::wstring text_;
};
