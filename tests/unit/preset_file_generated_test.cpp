// The preset reader fed with many generated files; the sanitizers watch every byte it reads.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "preset_file.h"

namespace {

class FileGenerator {
  public:
    explicit FileGenerator(unsigned seed) : random_(seed) {}

    std::size_t Below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    std::string RandomBytes(std::size_t size) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(Below(256));
        return bytes;
    }

    // Mostly the bytes the reader cares about, so every rule is reached often.
    std::string Structured(std::size_t size) {
        static constexpr char kAlphabet[] = {'a',  'b',  ' ',    '\t',   ',',  '"',
                                             '\r', '\n', '\x1A', '\xE9', '\0', 'z'};
        std::string bytes;
        while (bytes.size() < size) {
            if (Below(50) == 0)
                bytes.append(Below(6000), Below(2) ? 'x' : ' ');
            else
                bytes.push_back(kAlphabet[Below(sizeof kAlphabet)]);
        }
        return bytes;
    }

    std::string LineEnd() {
        static const char* const kEnds[] = {"\r\n", "\n", "\r"};
        return kEnds[Below(3)];
    }

    // An item that the reader must give back unchanged: no comma, no line end, and neither a
    // blank nor a quote first.
    std::string PlainItem() {
        static constexpr std::string_view kInside = "abcXYZ0189-=+/\\.:_ \t\"\xE9";
        std::string item;
        const std::size_t size = Below(kPresetItemLimit + 1);
        while (item.size() < size) {
            const char c = kInside[Below(kInside.size())];
            if (!item.empty() || (c != ' ' && c != '\t' && c != '"'))
                item.push_back(c);
        }
        return item;
    }

  private:
    std::mt19937 random_;
};

void ExpectSound(const std::string& file, const char* kind, int round) {
    const std::vector<std::string> items = ReadPresetItems(file);
    ASSERT_LE(items.size(), kMaxPresetItems) << kind << " file " << round;
    for (const std::string& item : items) {
        ASSERT_LE(item.size(), kPresetItemLimit) << kind << " file " << round;
        ASSERT_EQ(item.find_first_of("\r\n\x1A"), std::string::npos)
            << kind << " file " << round << ": an item holds a line end or 0x1A";
    }
}

TEST(ReadPresetItemsGenerated, AnyBytesGiveAtMost32ItemsOfAtMost511Bytes) {
    FileGenerator generate(20240611);
    for (int round = 0; round < 3000; ++round) {
        ExpectSound(generate.RandomBytes(generate.Below(3000)), "random", round);
        ExpectSound(generate.Structured(generate.Below(20000)), "structured", round);
    }
}

TEST(ReadPresetItemsGenerated, VeryLongLinesAndUnterminatedQuotes) {
    FileGenerator generate(7);
    for (int round = 0; round < 200; ++round) {
        std::string file;
        for (int line = 0; line < 40; ++line) {
            if (generate.Below(3) == 0)
                file += '"';
            file += std::string(generate.Below(9000), static_cast<char>('a' + line % 26));
            file += generate.LineEnd();
        }
        ExpectSound(file, "long-line", round);
    }
}

TEST(ReadPresetItemsGenerated, NothingAfter0x1ACounts) {
    FileGenerator generate(99);
    for (int round = 0; round < 1000; ++round) {
        const std::string before = generate.Structured(generate.Below(3000));
        const std::string cut = before.substr(0, before.find('\x1A'));
        const std::string file = cut + '\x1A' + generate.RandomBytes(generate.Below(500));
        EXPECT_EQ(ReadPresetItems(file), ReadPresetItems(cut)) << "file " << round;
    }
}

TEST(ReadPresetItemsGenerated, PlainItemsOnMixedLineEndsComeBackUnchanged) {
    FileGenerator generate(5);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> written(1 + generate.Below(kMaxPresetItems));
        std::string file;
        for (std::string& item : written) {
            item = generate.PlainItem();
            std::string end = generate.LineEnd();
            // CR, an empty item and LF would read as one CR LF line end.
            while (item.empty() && file.ends_with('\r') && end == "\n")
                end = generate.LineEnd();
            file += item + end;
        }
        EXPECT_EQ(ReadPresetItems(file), written) << "file " << round;
    }
}

} // namespace
