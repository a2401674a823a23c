#include "platform/utf.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace xmlsecdb {
namespace {

using namespace std::string_view_literals;

// Text that is the same in both encodings, with the UTF-16LE bytes spelled
// out.
struct Pair {
  std::string_view utf8;
  std::string_view utf16le;
};

constexpr Pair kPairs[] = {
    {""sv, ""sv},
    {"A"sv, "A\0"sv},
    // Long enough for the eight-byte ASCII steps, with a character after one.
    {"0123456789\xC3\xA9"sv,
     "0\x00"
     "1\x00"
     "2\x00"
     "3\x00"
     "4\x00"
     "5\x00"
     "6\x00"
     "7\x00"
     "8\x00"
     "9\x00"
     "\xE9\x00"sv},
    {"\xC2\x80"sv, "\x80\x00"sv},                  // U+0080, first two-byte
    {"\xDF\xBF"sv, "\xFF\x07"sv},                  // U+07FF, last two-byte
    {"\xE0\xA0\x80"sv, "\x00\x08"sv},              // U+0800, first three-byte
    {"\xE2\x82\xAC"sv, "\xAC\x20"sv},              // U+20AC
    {"\xED\x9F\xBF"sv, "\xFF\xD7"sv},              // U+D7FF, below the surrogates
    {"\xEE\x80\x80"sv, "\x00\xE0"sv},              // U+E000, above them
    {"\xEF\xBB\xBF"sv, "\xFF\xFE"sv},              // U+FEFF is text here
    {"\xEF\xBF\xBF"sv, "\xFF\xFF"sv},              // U+FFFF
    {"\xF0\x90\x80\x80"sv, "\x00\xD8\x00\xDC"sv},  // U+10000, first pair
    {"\xF0\x9F\x98\x80x"sv,
     "\x3D\xD8\x00\xDE"
     "x\x00"sv},                                   // U+1F600
    {"\xF4\x8F\xBF\xBF"sv, "\xFF\xDB\xFF\xDF"sv},  // U+10FFFF, last pair
    {"a\0b"sv, "a\0\0\0b\0"sv},                    // zero is converted
};

TEST(UtfTest, ConvertsBothWays) {
  for (const Pair& pair : kPairs) {
    SCOPED_TRACE(testing::PrintToString(std::string(pair.utf8)));
    EXPECT_TRUE(IsValidUtf8(pair.utf8));
    std::string utf16 = "prefix";
    ASSERT_TRUE(Utf8ToUtf16LE(pair.utf8, &utf16));
    EXPECT_EQ(utf16, "prefix" + std::string(pair.utf16le));
    std::string utf8 = "prefix";
    ASSERT_TRUE(Utf16LEToUtf8(pair.utf16le.data(), pair.utf16le.size(), &utf8));
    EXPECT_EQ(utf8, "prefix" + std::string(pair.utf8));
  }
}

TEST(UtfTest, RefusesMalformedUtf8AndKeepsTheOutput) {
  constexpr std::string_view kMalformed[] = {
      "\x80"sv,                      // continuation byte without a lead
      "abc\xBF"sv,                   //
      "\xC0\x80"sv,                  // overlong U+0000
      "\xC1\xBF"sv,                  // overlong U+007F
      "\xE0\x9F\xBF"sv,              // overlong U+07FF
      "\xF0\x8F\xBF\xBF"sv,          // overlong U+FFFF
      "\xED\xA0\x80"sv,              // encoded high surrogate U+D800
      "\xED\xBF\xBF"sv,              // encoded low surrogate U+DFFF
      "\xED\xA0\xBD\xED\xB8\x80"sv,  // a surrogate pair encoded as two characters
      "\xF4\x90\x80\x80"sv,          // U+110000
      "\xF5\x80\x80\x80"sv,          //
      "\xFF"sv,                      //
      "\xE2\x82"sv,                  // truncated at the end
      "\xC3"
      "A"sv,                 // lead followed by ASCII
      "01234567\xE2\x82"sv,  // truncated after an ASCII step
  };
  for (std::string_view text : kMalformed) {
    SCOPED_TRACE(testing::PrintToString(std::string(text)));
    EXPECT_FALSE(IsValidUtf8(text));
    std::string out = "kept";
    EXPECT_FALSE(Utf8ToUtf16LE(text, &out));
    EXPECT_EQ(out, "kept");
  }
}

TEST(UtfTest, RefusesMalformedUtf16AndKeepsTheOutput) {
  constexpr std::string_view kMalformed[] = {
      "A"sv,                     // odd byte count
      "A\0B"sv,                  //
      "\x00\xD8"sv,              // high surrogate at the end
      "A\0B\0C\0D\0\x00\xD8"sv,  // ... after an ASCII step
      "\x00\xD8"
      "A\0"sv,                       // high surrogate followed by ASCII
      "\x00\xD8\x00\xD8\x00\xDC"sv,  // two highs, then a low
      "\x00\xDC"sv,                  // lone low surrogate
      "\x00\xDC\x00\xDC"sv,          // two lows
      "\x00\xDC\x00\xD8"sv,          // a pair in the wrong order
  };
  for (std::string_view bytes : kMalformed) {
    SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
    std::string out = "kept";
    EXPECT_FALSE(Utf16LEToUtf8(bytes.data(), bytes.size(), &out));
    EXPECT_EQ(out, "kept");
  }
}

// Every scalar value, in one text long enough to cross the converter's
// internal steps, survives UTF-16LE -> UTF-8 -> UTF-16LE; surrogate pairs
// land on every alignment.
TEST(UtfTest, EveryScalarValueRoundTrips) {
  std::string utf16;
  std::size_t expected_utf8_size = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x10000) {
      utf16 += static_cast<char>(c & 0xFF);
      utf16 += static_cast<char>(c >> 8);
    } else {
      const char32_t v = c - 0x10000;
      const char32_t high = 0xD800 + (v >> 10);
      const char32_t low = 0xDC00 + (v & 0x3FF);
      utf16 += static_cast<char>(high & 0xFF);
      utf16 += static_cast<char>(high >> 8);
      utf16 += static_cast<char>(low & 0xFF);
      utf16 += static_cast<char>(low >> 8);
    }
    expected_utf8_size += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if (c % 7 == 0) {  // shift later pairs by one unit
      utf16 += 'a';
      utf16 += '\0';
      ++expected_utf8_size;
    }
  }
  std::string utf8;
  ASSERT_TRUE(Utf16LEToUtf8(utf16.data(), utf16.size(), &utf8));
  EXPECT_EQ(utf8.size(), expected_utf8_size);
  EXPECT_TRUE(IsValidUtf8(utf8));
  std::string back;
  ASSERT_TRUE(Utf8ToUtf16LE(utf8, &back));
  EXPECT_TRUE(back == utf16);
}

}  // namespace
}  // namespace xmlsecdb
