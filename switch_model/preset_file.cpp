#include "preset_file.h"

#include <algorithm>
#include <utility>

namespace {

// A text-mode reader: CR LF, CR and LF each end a line, and byte 0x1A ends the file.
class PresetReader {
  public:
    explicit PresetReader(std::string_view bytes) : text_(bytes.substr(0, bytes.find('\x1A'))) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    std::string ReadItem() {
        SkipBlanks();
        if (AtEnd())
            return {};
        const bool quoted = text_[pos_] == '"';
        if (quoted)
            ++pos_;
        return ReadRest(quoted);
    }

  private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_]))
            ++pos_;
    }

    std::size_t LineEndLength() const {
        if (AtEnd())
            return 0;
        if (text_[pos_] == '\r')
            return pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n' ? 2 : 1;
        return text_[pos_] == '\n' ? 1 : 0;
    }

    bool ConsumeLineEnd() {
        const std::size_t length = LineEndLength();
        pos_ += length;
        return length != 0;
    }

    // After a closing quote or a full item: blanks, then a comma or a line end is consumed;
    // anything else begins the next item.
    void FinishItem() {
        SkipBlanks();
        if (!AtEnd() && text_[pos_] == ',')
            ++pos_;
        else
            ConsumeLineEnd();
    }

    // A quoted item ends at its closing quote, an unquoted one at a comma; both end at a line
    // end, at the end of the file and after the read limit.
    std::string ReadRest(bool quoted) {
        std::string item;
        while (!AtEnd()) {
            if (item.size() == kPresetItemReadLimit) {
                FinishItem();
                break;
            }
            if (ConsumeLineEnd())
                break;
            const char c = text_[pos_++];
            if (quoted && c == '"') {
                FinishItem();
                break;
            }
            if (!quoted && c == ',')
                break;
            item.push_back(c);
        }
        return item;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::vector<std::string> ReadPresetItems(std::string_view fileBytes) {
    PresetReader reader(fileBytes);
    std::vector<std::string> items;
    while (!reader.AtEnd() && items.size() < kMaxPresetItems) {
        std::string item = reader.ReadItem();
        item.resize(std::min(item.size(), kPresetItemLimit));
        items.push_back(std::move(item));
    }
    return items;
}
