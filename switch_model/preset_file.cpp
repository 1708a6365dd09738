#include "preset_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <tuple>
#include <utility>

namespace {

// Items as read: bytes, or UTF-16 units, before they are decoded.
using Units = std::u16string;

bool IsUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
}

// The encoding a file's first bytes mark, and the mark's length.
std::pair<std::optional<TextEncoding>, std::size_t> MarkOf(std::span<const int, 3> head) {
    if (head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        return {TextEncoding::Utf8, 3};
    if (head[0] == 0xFF && head[1] == 0xFE)
        return {TextEncoding::Utf16Le, 2};
    if (head[0] == 0xFE && head[1] == 0xFF)
        return {TextEncoding::Utf16Be, 2};
    return {std::nullopt, 0};
}

char16_t Utf16Unit(int first, int second, TextEncoding encoding) {
    return static_cast<char16_t>(encoding == TextEncoding::Utf16Le ? second << 8 | first
                                                                   : first << 8 | second);
}

// The file's bytes one at a time; -1 at its end.
class ByteStream {
  public:
    explicit ByteStream(const NextFileBytes& next) : next_(next) {}
    int Get() {
        while (pos_ == piece_.size()) {
            if (ended_)
                return -1;
            piece_ = next_();
            pos_ = 0;
            ended_ = piece_.empty();
        }
        return static_cast<unsigned char>(piece_[pos_++]);
    }

  private:
    const NextFileBytes& next_;
    std::string_view piece_;
    std::size_t pos_ = 0;
    bool ended_ = false;
};

// The text after its byte-order mark, one unit at a time, as a text-mode reader sees it: a unit
// 0x1A ends it, and so does half a UTF-16 unit.
class TextCursor {
  public:
    explicit TextCursor(const NextFileBytes& next) : bytes_(next) { ReadMark(); }

    std::optional<TextEncoding> MarkedEncoding() const { return marked_; }
    std::optional<char16_t> Peek() {
        if (!ended_ && !unit_) {
            unit_ = ReadUnit();
            ended_ = !unit_ || *unit_ == 0x1A;
        }
        return ended_ ? std::nullopt : unit_;
    }
    bool AtEnd() { return !Peek(); }
    void Advance() { unit_.reset(); }
    bool Take(char16_t wanted) {
        if (Peek() != wanted)
            return false;
        Advance();
        return true;
    }

  private:
    void ReadMark() {
        for (int& byte : head_)
            byte = bytes_.Get();
        std::tie(marked_, headUsed_) = MarkOf(head_);
    }
    int NextByte() { return headUsed_ < head_.size() ? head_[headUsed_++] : bytes_.Get(); }
    std::optional<char16_t> ReadUnit() {
        const int first = NextByte();
        if (first < 0)
            return std::nullopt;
        if (!marked_ || !IsUtf16(*marked_))
            return static_cast<char16_t>(first);
        const int second = NextByte();
        if (second < 0)
            return std::nullopt;
        return Utf16Unit(first, second, *marked_);
    }

    ByteStream bytes_;
    std::array<int, 3> head_{};
    std::size_t headUsed_ = 0;
    std::optional<TextEncoding> marked_;
    std::optional<char16_t> unit_;
    bool ended_ = false;
};

class PresetReader {
  public:
    explicit PresetReader(TextCursor& in) : in_(in) {}

    Units ReadItem() {
        SkipBlanks();
        if (in_.AtEnd())
            return {};
        return ReadRest(in_.Take(u'"'));
    }

  private:
    void SkipBlanks() {
        while (in_.Take(u' ') || in_.Take(u'\t')) {
        }
    }

    // CR LF, CR and LF each end a line.
    bool TakeLineEnd() {
        if (in_.Take(u'\r')) {
            in_.Take(u'\n');
            return true;
        }
        return in_.Take(u'\n');
    }

    // After a closing quote or a full item: blanks, then a comma or a line end is consumed;
    // anything else begins the next item.
    void FinishItem() {
        SkipBlanks();
        if (!in_.Take(u','))
            TakeLineEnd();
    }

    // A quoted item ends at its closing quote, an unquoted one at a comma; both end at a line
    // end, at the end of the file and after the read limit.
    Units ReadRest(bool quoted) {
        Units item;
        while (!in_.AtEnd()) {
            if (item.size() == kPresetItemReadLimit) {
                FinishItem();
                break;
            }
            if (TakeLineEnd())
                break;
            const char16_t c = *in_.Peek();
            in_.Advance();
            if (quoted && c == u'"') {
                FinishItem();
                break;
            }
            if (!quoted && c == u',')
                break;
            item.push_back(c);
        }
        return item;
    }

    TextCursor& in_;
};

void AppendUtf16(std::wstring& text, char32_t c) {
    if (c < 0x10000) {
        text.push_back(static_cast<wchar_t>(c));
        return;
    }
    text.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
    text.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
}

// The length of the well-formed UTF-8 sequence at the start of bytes and its character, or 0
// when there is none there (Unicode's table of well-formed byte sequences).
std::pair<std::size_t, char32_t> Utf8Sequence(std::u16string_view bytes) {
    const char16_t lead = bytes[0];
    std::size_t length = 0;
    char16_t low = 0x80;
    char16_t high = 0xBF;
    if (lead < 0x80)
        return {1, lead};
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || bytes.size() < length)
        return {0, 0};
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const char16_t next = bytes[i];
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return {0, 0};
        c = c << 6 | (next & 0x3F);
    }
    return {length, c};
}

// Each byte that begins no well-formed sequence becomes U+FFFD.
std::wstring DecodeUtf8(std::u16string_view bytes) {
    std::wstring text;
    while (!bytes.empty()) {
        const auto [length, c] = Utf8Sequence(bytes);
        AppendUtf16(text, length ? c : U'\uFFFD');
        bytes.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return text;
}

bool IsUtf8BeyondAscii(const std::vector<Units>& items) {
    bool beyondAscii = false;
    for (std::u16string_view bytes : items) {
        while (!bytes.empty()) {
            const std::size_t length = Utf8Sequence(bytes).first;
            if (length == 0)
                return false;
            beyondAscii = beyondAscii || length > 1;
            bytes.remove_prefix(length);
        }
    }
    return beyondAscii;
}

// At most 511 characters, a surrogate pair kept whole or left out.
std::wstring Limited(std::wstring text) {
    if (text.size() > kPresetItemLimit) {
        const bool splitsPair =
            text[kPresetItemLimit - 1] >= 0xD800 && text[kPresetItemLimit - 1] <= 0xDBFF;
        text.resize(kPresetItemLimit - (splitsPair ? 1 : 0));
    }
    return text;
}

std::wstring Decode(const Units& item, TextEncoding encoding, const AnsiWidening& widenAnsi) {
    switch (encoding) {
    case TextEncoding::Ansi: {
        // Each byte is one character of the code page.
        const std::string bytes(item.begin(), item.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                 item.size(), kPresetItemLimit)));
        return widenAnsi(bytes);
    }
    case TextEncoding::Utf8:
        return Limited(DecodeUtf8(item));
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        break;
    }
    return Limited(std::wstring(item.begin(), item.end()));
}

// A text ends at a NUL, as every text the system hands on does.
std::wstring EndedAtNul(std::wstring text) {
    text.resize(std::min(text.find(L'\0'), text.size()));
    return text;
}

} // namespace

PresetFileText ReadPresetFile(const NextFileBytes& next, const AnsiWidening& widenAnsi) {
    TextCursor in(next);
    PresetReader reader(in);
    std::vector<Units> items;
    while (items.size() < kMaxPresetItems && !in.AtEnd())
        items.push_back(reader.ReadItem());
    PresetFileText file;
    file.encoding = in.MarkedEncoding().value_or(IsUtf8BeyondAscii(items) ? TextEncoding::Utf8
                                                                          : TextEncoding::Ansi);
    for (const Units& item : items)
        file.presets.push_back(EndedAtNul(Decode(item, file.encoding, widenAnsi)));
    return file;
}

std::optional<std::wstring> PresetItem(std::wstring_view text) {
    if (text.find_first_of(L"\r\n\x1A") != std::wstring_view::npos)
        return std::nullopt;
    const bool plain = text.find(L',') == std::wstring_view::npos &&
                       (text.empty() || (text[0] != L' ' && text[0] != L'\t' && text[0] != L'"'));
    if (plain)
        return std::wstring(text);
    if (text.find(L'"') != std::wstring_view::npos)
        return std::nullopt;
    return L'"' + std::wstring(text) + L'"';
}

namespace {

void AppendUtf8(std::string& bytes, char32_t c) {
    const auto byte = [&](char32_t b) { bytes.push_back(static_cast<char>(b)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

// A lone surrogate becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair)
            AppendUtf8(bytes, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
        else
            AppendUtf8(bytes, unit >= 0xD800 && unit <= 0xDFFF ? U'\uFFFD' : unit);
    }
    return bytes;
}

// The bytes of a text in an encoding.
std::string Encoded(std::wstring_view text, TextEncoding encoding,
                    const AnsiNarrowing& narrowAnsi) {
    if (encoding == TextEncoding::Ansi)
        return narrowAnsi(text);
    if (encoding == TextEncoding::Utf8)
        return EncodeUtf8(text);
    std::string bytes;
    for (const wchar_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes +=
            encoding == TextEncoding::Utf16Le ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

PresetFileText ReadWhole(std::string_view bytes, const AnsiWidening& widenAnsi) {
    return ReadPresetFile([&bytes] { return std::exchange(bytes, {}); }, widenAnsi);
}

// Where the file's text ends (at a unit 0x1A or half a unit), its first line end and its last
// unit, in the units of its encoding.
struct TextEnd {
    std::size_t end = 0;
    std::wstring lineEnd;
    char16_t last = 0;
};

TextEnd EndOfText(std::string_view bytes, std::size_t mark, bool utf16, TextEncoding encoding) {
    const std::size_t step = utf16 ? 2 : 1;
    const auto unit = [&](std::size_t at) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
        return utf16 ? Utf16Unit(byte(0), byte(1), encoding) : static_cast<char16_t>(byte(0));
    };
    TextEnd text{mark, L"", 0};
    for (; text.end + step <= bytes.size() && unit(text.end) != 0x1A; text.end += step) {
        const char16_t next = unit(text.end);
        if (text.lineEnd.empty() && (text.last == u'\r' || next == u'\n'))
            text.lineEnd = text.last == u'\r' ? (next == u'\n' ? L"\r\n" : L"\r") : L"\n";
        text.last = next;
    }
    if (text.lineEnd.empty())
        text.lineEnd = text.last == u'\r' ? L"\r" : L"\r\n";
    return text;
}

bool IsAscii(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::optional<std::string> WithPresetAppended(std::string_view bytes, std::wstring_view text,
                                              const AnsiWidening& widenAnsi,
                                              const AnsiNarrowing& narrowAnsi) {
    const std::optional<std::wstring> item = PresetItem(text);
    if (!item)
        return std::nullopt;
    const PresetFileText file = ReadWhole(bytes, widenAnsi);
    const int head[3] = {bytes.size() > 0 ? static_cast<unsigned char>(bytes[0]) : -1,
                         bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : -1,
                         bytes.size() > 2 ? static_cast<unsigned char>(bytes[2]) : -1};
    const std::size_t mark = MarkOf(head).second;
    const TextEnd end = EndOfText(bytes, mark, IsUtf16(file.encoding), file.encoding);
    const TextEncoding added =
        file.encoding == TextEncoding::Ansi && IsAscii(bytes) && !IsAscii(text) ? TextEncoding::Utf8
                                                                                : file.encoding;
    // A last line that ends in a comma has begun the next item already.
    const bool lineBegun = end.end == mark || end.last == u'\r' || end.last == u'\n';
    std::wstring line = lineBegun || end.last == u',' ? L"" : end.lineEnd;
    line.append(*item).append(end.lineEnd);
    std::string appended = std::string(bytes.substr(0, end.end)) +
                           Encoded(line, added, narrowAnsi) + std::string(bytes.substr(end.end));
    std::vector<std::wstring> expected = file.presets;
    expected.emplace_back(text);
    if (ReadWhole(appended, widenAnsi).presets != expected)
        return std::nullopt;
    return appended;
}
