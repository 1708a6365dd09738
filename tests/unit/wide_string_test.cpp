#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "wide_string.h"

namespace {

using WideText = std::basic_string<WideUnit>;

WideText Units(std::string_view ascii) {
    return WideText(ascii.begin(), ascii.end());
}

std::string Ascii(const DynamicWideString& s) {
    std::string text;
    for (const WideUnit unit : s.view())
        text.push_back(static_cast<char>(unit));
    return text;
}

// The two bytes at offset length are the terminator the Win32 calls rely on.
void ExpectTerminated(const DynamicWideString& s, const char* what) {
    ASSERT_NE(s.data(), nullptr) << what << ": no buffer";
    EXPECT_LE(s.length(), s.capacity()) << what;
    const auto* bytes = reinterpret_cast<const unsigned char*>(s.data());
    EXPECT_EQ(bytes[s.length()], 0) << what << ": not terminated";
    EXPECT_EQ(bytes[s.length() + 1], 0) << what << ": not terminated";
}

TEST(DynamicWideString, Construction) {
    const DynamicWideString byDefault;
    EXPECT_EQ(byDefault.capacity(), 520u);
    EXPECT_EQ(byDefault.length(), 0u);
    EXPECT_EQ(byDefault.growStep(), 520);
    ExpectTerminated(byDefault, "default");

    const DynamicWideString fromNull(static_cast<const WideUnit*>(nullptr));
    EXPECT_EQ(fromNull.capacity(), 520u);
    ExpectTerminated(fromNull, "from a null text");

    const WideText empty;
    const DynamicWideString fromEmpty(empty.c_str());
    EXPECT_EQ(fromEmpty.data(), nullptr) << "an empty text gives no buffer";
    EXPECT_EQ(fromEmpty.capacity(), 0u);
    EXPECT_EQ(fromEmpty.c_str()[0], 0) << "a string without buffer still reads as empty";

    const WideText abc = Units("abc");
    const DynamicWideString fromText(abc.c_str());
    EXPECT_EQ(fromText.length(), 6u);
    EXPECT_EQ(fromText.capacity(), 6u + 520u);
    ExpectTerminated(fromText, "from a text");

    const DynamicWideString fromEmptyNarrow{std::string_view()};
    EXPECT_EQ(fromEmptyNarrow.capacity(), 520u);
    ExpectTerminated(fromEmptyNarrow, "from an empty narrow text");

    const DynamicWideString fromNarrow{std::string_view("C:\\Tools")};
    EXPECT_EQ(Ascii(fromNarrow), "C:\\Tools");
    EXPECT_EQ(fromNarrow.capacity(), 16u + 520u);
}

TEST(DynamicWideString, GrowthIsTheNeedPlus520) {
    const struct {
        std::size_t characters;
        std::uint32_t capacity;
    } cases[] = {{100, 520}, {260, 520}, {261, 522 + 520}, {300, 600 + 520}};
    for (const auto& c : cases) {
        DynamicWideString s;
        const WideText text(c.characters, WideUnit('x'));
        ASSERT_TRUE(s.AppendText(text.c_str()));
        EXPECT_EQ(s.length(), 2 * c.characters);
        EXPECT_EQ(s.capacity(), c.capacity) << c.characters << " characters appended";
        ExpectTerminated(s, "after growth");
    }
}

TEST(DynamicWideString, NoBufferThenAppendGrowsToNeedPlus520) {
    const WideText empty;
    DynamicWideString s(empty.c_str());
    EXPECT_FALSE(s.AppendBytes(nullptr, 0)) << "zero bytes to a string without buffer";
    EXPECT_EQ(s.data(), nullptr);
    const WideText text = Units("abcd");
    ASSERT_TRUE(s.AppendText(text.c_str()));
    EXPECT_EQ(s.capacity(), 8u + 520u);
    EXPECT_EQ(Ascii(s), "abcd");
}

TEST(DynamicWideString, ResizeBuffer) {
    DynamicWideString s;
    const WideText text = Units("abcdef");
    s.AppendText(text.c_str());
    EXPECT_EQ(s.ResizeBuffer(701, false), 12u);
    EXPECT_EQ(s.capacity(), 702u) << "an odd capacity is rounded up";
    EXPECT_EQ(Ascii(s), "abcdef") << "growing keeps the text";
    EXPECT_EQ(s.ResizeBuffer(6, true), 6u);
    EXPECT_EQ(Ascii(s), "abc") << "shrinking below the length cuts the text";
    ExpectTerminated(s, "after shrinking");
    EXPECT_EQ(s.ResizeBuffer(0, false), 0u);
    ExpectTerminated(s, "after shrinking to nothing");
}

TEST(DynamicWideString, ImpossibleSizesFailWithoutHarm) {
    DynamicWideString s;
    const WideText text = Units("keep");
    s.AppendText(text.c_str());
    EXPECT_EQ(s.ResizeBuffer(0xFFFFFFFFu, false), 8u);
    EXPECT_EQ(s.capacity(), 520u) << "an impossible size keeps the old buffer";
    EXPECT_FALSE(s.AppendBytes(text.c_str(), 0xFFFFFFF0u));
    EXPECT_EQ(Ascii(s), "keep");
    ExpectTerminated(s, "after a refused append");
}

TEST(DynamicWideString, AppendBytesOddCountStaysTerminated) {
    DynamicWideString s;
    ASSERT_TRUE(s.AppendBytes("abc", 3));
    EXPECT_EQ(s.length(), 3u);
    ExpectTerminated(s, "odd byte count");
}

TEST(DynamicWideString, AssignCopiesTheTextNeverThePointer) {
    const WideText text = Units("hello");
    const DynamicWideString source(text.c_str());
    DynamicWideString target;
    target.Assign(source);
    EXPECT_EQ(Ascii(target), "hello");
    EXPECT_NE(target.data(), source.data());

    DynamicWideString big;
    const WideText long300(300, WideUnit('y'));
    big.AppendText(long300.c_str());
    const std::uint32_t bigCapacity = big.capacity();
    big.Assign(source);
    EXPECT_EQ(Ascii(big), "hello");
    EXPECT_EQ(big.capacity(), bigCapacity) << "the capacity never shrinks";

    DynamicWideString self(text.c_str());
    self.Assign(self);
    EXPECT_EQ(Ascii(self), "hello") << "assigning a string to itself changes nothing";
    self.AssignText(self.data());
    EXPECT_EQ(Ascii(self), "hello");

    const DynamicWideString copy = source;
    EXPECT_EQ(Ascii(copy), "hello");
    DynamicWideString assigned;
    assigned = source;
    EXPECT_EQ(Ascii(assigned), "hello");
}

TEST(DynamicWideString, AssignTextAndClear) {
    DynamicWideString s;
    const WideText text = Units("abc");
    s.AssignText(text.c_str());
    EXPECT_EQ(Ascii(s), "abc");
    s.AssignText(nullptr);
    EXPECT_EQ(s.length(), 0u);
    ExpectTerminated(s, "after AssignText(null)");
    s.AssignText(text.c_str());
    const std::uint32_t capacity = s.capacity();
    s.Clear();
    EXPECT_EQ(s.length(), 0u);
    EXPECT_EQ(s.capacity(), capacity) << "Clear keeps the buffer";
    ExpectTerminated(s, "after Clear");
}

TEST(DynamicWideString, OperationsOnAStringWithoutBufferGiveAValidEmptyString) {
    const WideText empty;
    const WideText text = Units("x");
    DynamicWideString s(empty.c_str());
    s.Clear();
    EXPECT_EQ(s.length(), 0u);
    s.AssignText(nullptr);
    s.Assign(DynamicWideString(empty.c_str()));
    EXPECT_EQ(s.length(), 0u);
    EXPECT_EQ(s.view().size(), 0u);
    s.AssignText(text.c_str());
    EXPECT_EQ(Ascii(s), "x");
}

TEST(DynamicWideString, MoveLeavesTheSourceWithoutBuffer) {
    const WideText text = Units("moved");
    DynamicWideString source(text.c_str());
    const DynamicWideString target(std::move(source));
    EXPECT_EQ(Ascii(target), "moved");
    EXPECT_EQ(source.data(), nullptr); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(source.length(), 0u);
}

TEST(DynamicWideString, Concat) {
    const WideText empty;
    const WideText left = Units("C:\\Tools");
    const WideText right = Units("\\prog.ini");
    const struct {
        const char* name;
        DynamicWideString left, right;
        const char* text;
        std::uint32_t capacity;
    } cases[] = {
        {"folder and name", DynamicWideString(left.c_str()), DynamicWideString(right.c_str()),
         "C:\\Tools\\prog.ini", 520},
        {"two empty strings", DynamicWideString(), DynamicWideString(), "", 520},
        {"empty left without buffer", DynamicWideString(empty.c_str()),
         DynamicWideString(right.c_str()), "\\prog.ini", 520},
        {"empty right without buffer", DynamicWideString(left.c_str()),
         DynamicWideString(empty.c_str()), "C:\\Tools", 520},
    };
    for (const auto& c : cases) {
        const DynamicWideString joined = DynamicWideString::Concat(c.left, c.right);
        EXPECT_EQ(Ascii(joined), c.text) << c.name;
        EXPECT_EQ(joined.capacity(), c.capacity) << c.name;
        ExpectTerminated(joined, c.name);
    }
}

TEST(DynamicWideString, AppendNarrowEmptyAppendsNothing) {
    DynamicWideString s;
    EXPECT_FALSE(s.AppendNarrow(""));
    EXPECT_EQ(s.length(), 0u);
    EXPECT_TRUE(s.AppendNarrow("fbc 1.10"));
    EXPECT_EQ(Ascii(s), "fbc 1.10");
}

#ifndef _WIN32
TEST(DynamicWideString, NativelyEachNarrowByteIsOneCharacter) {
    DynamicWideString s;
    ASSERT_TRUE(s.AppendNarrow(std::string_view("\xE9t\xE9\0x", 5)));
    EXPECT_EQ(s.view(), (WideText{0xE9, 't', 0xE9, 0, 'x'}));
}
#endif

} // namespace
