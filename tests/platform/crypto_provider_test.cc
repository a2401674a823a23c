#include "platform/crypto_provider.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace xmlsecdb {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(std::string_view hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(
        static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

Bytes FromText(std::string_view text) { return Bytes(text.begin(), text.end()); }

template <std::size_t N>
Bytes ToBytes(const std::array<std::uint8_t, N>& a) {
  return Bytes(a.begin(), a.end());
}

Aes128Key KeyFromHex(std::string_view hex) {
  Aes128Key key{};
  const Bytes bytes = FromHex(hex);
  std::copy(bytes.begin(), bytes.end(), key.begin());
  return key;
}

const CryptoProvider& Provider() { return DefaultCryptoProvider(); }

TEST(CryptoProviderTest, HashSha1MatchesKnownDigests) {
  struct Case {
    std::string_view text;
    std::string_view digest;
  };
  constexpr Case kCases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
  };
  for (const Case& c : kCases) {
    Sha1Digest digest;
    ASSERT_EQ(Provider().HashSha1(FromText(c.text), &digest), 0u);
    EXPECT_EQ(ToBytes(digest), FromHex(c.digest)) << c.text;
  }
}

// Expected values computed with the openssl command-line tool: SHA-1 of the
// material, then SHA-1 of 64 bytes of 0x36 whose first 20 bytes are XORed
// with that hash, truncated to 16 bytes.
TEST(CryptoProviderTest, DeriveAes128KeyFollowsTheProviderRule) {
  struct Case {
    std::string_view material;
    std::string_view hash;
    std::string_view key;
  };
  constexpr Case kCases[] = {
      {"000102030405060708090a0b0c0d0e0f10111213", "602c63d2f3d13ca3206cdf204cde24e7d8f4266c",
       "2b0122ee38aa6ed62c13595bbebf4d04"},
      {"a74af900c0f3ce91aeda9c1c5a561008ee92f414", "4292914e40708017d7642a7800d1f74538f95f86",
       "ff824ac66541c446cc2750e61b205a59"},
  };
  for (const Case& c : kCases) {
    Sha1Digest hash;
    ASSERT_EQ(Provider().HashSha1(FromHex(c.material), &hash), 0u);
    EXPECT_EQ(ToBytes(hash), FromHex(c.hash)) << c.material;
    Aes128Key key;
    ASSERT_EQ(Provider().DeriveAes128Key(hash, &key), 0u);
    EXPECT_EQ(ToBytes(key), FromHex(c.key)) << c.material;
  }
}

TEST(CryptoProviderTest, BlockLengthIsSixteen) { EXPECT_EQ(Provider().BlockLength(), 16u); }

// From `openssl enc -aes-128-cbc -K 2b0122ee38aa6ed62c13595bbebf4d04 -iv 0`:
// a 32-byte plaintext gains a whole block of padding.
TEST(CryptoProviderTest, EncryptMatchesOpenSslCommandLine) {
  const Aes128Key key = KeyFromHex("2b0122ee38aa6ed62c13595bbebf4d04");
  const Bytes plain = FromText("0123456789abcdef0123456789ABCDEF");
  const Bytes expected = FromHex(
      "1aa0e5cf1c32b923233f62132862e509f4e748fc95046fa5b102c0db2b88ad7b"
      "852f23237dce7580c7c75bdf5f1752ef");
  Bytes out(64, 0xEE);
  std::size_t written = 0;
  ASSERT_EQ(Provider().EncryptAes128Cbc(key, plain, out.data(), out.size(), &written), 0u);
  ASSERT_EQ(written, expected.size());
  EXPECT_EQ(Bytes(out.begin(), out.begin() + written), expected);
  EXPECT_EQ(out[written], 0xEE) << "wrote past the ciphertext";

  Bytes back(expected.size());
  ASSERT_EQ(Provider().DecryptAes128Cbc(key, expected, back.data(), &written), 0u);
  EXPECT_EQ(Bytes(back.begin(), back.begin() + written), plain);
}

TEST(CryptoProviderTest, RoundTripsEveryLengthAroundTheBlock) {
  const Aes128Key key = KeyFromHex("00112233445566778899aabbccddeeff");
  for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 1000u}) {
    Bytes plain(length);
    for (std::size_t i = 0; i < length; ++i) plain[i] = static_cast<std::uint8_t>(i * 7);
    const std::size_t expected_size = length - length % 16 + 16;
    Bytes cipher(expected_size);
    std::size_t written = 0;
    ASSERT_EQ(Provider().EncryptAes128Cbc(key, plain, cipher.data(), cipher.size(), &written), 0u);
    ASSERT_EQ(written, expected_size) << length;
    Bytes back(cipher.size());
    ASSERT_EQ(Provider().DecryptAes128Cbc(key, cipher, back.data(), &written), 0u) << length;
    back.resize(written);
    EXPECT_EQ(back, plain) << length;
  }
}

TEST(CryptoProviderTest, EncryptRefusesShortOutput) {
  const Aes128Key key{};
  const Bytes plain(16);
  Bytes out(31);
  std::size_t written = 99;
  EXPECT_EQ(Provider().EncryptAes128Cbc(key, plain, out.data(), out.size(), &written),
            kCryptErrorMoreData);
  EXPECT_EQ(written, 0u);
}

TEST(CryptoProviderTest, DecryptRejectsDataItCannotHaveWritten) {
  const Aes128Key key = KeyFromHex("2b0122ee38aa6ed62c13595bbebf4d04");
  const Bytes cipher = FromHex(
      "1aa0e5cf1c32b923233f62132862e509f4e748fc95046fa5b102c0db2b88ad7b"
      "852f23237dce7580c7c75bdf5f1752ef");
  struct Case {
    const char* name;
    Aes128Key key;
    Bytes input;
  };
  const Case cases[] = {
      {"empty", key, {}},
      {"partial block", key, Bytes(cipher.begin(), cipher.begin() + 47)},
      {"block and a byte", key, Bytes(cipher.begin(), cipher.begin() + 17)},
      {"wrong key", KeyFromHex("2b0122ee38aa6ed62c13595bbebf4d05"), cipher},
  };
  for (const Case& c : cases) {
    Bytes out(c.input.size() + 16);
    std::size_t written = 99;
    EXPECT_EQ(Provider().DecryptAes128Cbc(c.key, c.input, out.data(), &written), kCryptErrorBadData)
        << c.name;
    EXPECT_EQ(written, 0u) << c.name;
  }
}

}  // namespace
}  // namespace xmlsecdb
