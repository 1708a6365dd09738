#include "preset_file.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Editors that save "UTF-8 with BOM" put these bytes first; they belong to no item.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The file as a text-mode reader sees it, one byte at a time: byte 0x1A ends it.
class TextCursor {
  public:
    explicit TextCursor(const NextFileBytes& next) : next_(next) { SkipByteOrderMark(); }

    std::optional<char> Peek() {
        while (!ended_ && pos_ == piece_.size()) {
            piece_ = next_();
            pos_ = 0;
            ended_ = piece_.empty();
        }
        if (!ended_ && piece_[pos_] == '\x1A')
            ended_ = true;
        return ended_ ? std::nullopt : std::optional<char>(piece_[pos_]);
    }
    bool AtEnd() { return !Peek(); }
    void Advance() { ++pos_; }
    bool Take(char wanted) {
        if (Peek() != wanted)
            return false;
        Advance();
        return true;
    }

  private:
    // The first pieces are gathered until they hold as many bytes as the mark, or the file ends.
    void SkipByteOrderMark() {
        while (!ended_ && head_.size() < kByteOrderMark.size()) {
            const std::string_view piece = next_();
            head_.append(piece);
            ended_ = piece.empty();
        }
        piece_ = head_;
        if (piece_.starts_with(kByteOrderMark))
            pos_ = kByteOrderMark.size();
        ended_ = ended_ && pos_ == piece_.size();
    }

    const NextFileBytes& next_;
    std::string head_;
    std::string_view piece_;
    std::size_t pos_ = 0;
    bool ended_ = false;
};

class PresetReader {
  public:
    explicit PresetReader(const NextFileBytes& next) : in_(next) {}

    bool AtEnd() { return in_.AtEnd(); }

    std::string ReadItem() {
        SkipBlanks();
        if (in_.AtEnd())
            return {};
        return ReadRest(in_.Take('"'));
    }

  private:
    void SkipBlanks() {
        while (in_.Take(' ') || in_.Take('\t')) {
        }
    }

    // CR LF, CR and LF each end a line.
    bool TakeLineEnd() {
        if (in_.Take('\r')) {
            in_.Take('\n');
            return true;
        }
        return in_.Take('\n');
    }

    // After a closing quote or a full item: blanks, then a comma or a line end is consumed;
    // anything else begins the next item.
    void FinishItem() {
        SkipBlanks();
        if (!in_.Take(','))
            TakeLineEnd();
    }

    // A quoted item ends at its closing quote, an unquoted one at a comma; both end at a line
    // end, at the end of the file and after the read limit.
    std::string ReadRest(bool quoted) {
        std::string item;
        while (!in_.AtEnd()) {
            if (item.size() == kPresetItemReadLimit) {
                FinishItem();
                break;
            }
            if (TakeLineEnd())
                break;
            const char c = *in_.Peek();
            in_.Advance();
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

    TextCursor in_;
};

} // namespace

std::vector<std::string> ReadPresetItems(const NextFileBytes& next) {
    PresetReader reader(next);
    std::vector<std::string> items;
    while (items.size() < kMaxPresetItems && !reader.AtEnd()) {
        std::string item = reader.ReadItem();
        item.resize(std::min(item.size(), kPresetItemLimit));
        items.push_back(std::move(item));
    }
    return items;
}
