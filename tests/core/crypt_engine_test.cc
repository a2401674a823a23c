#include "core/crypt_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace xmlsecdb {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(std::string_view text) {
  Bytes bytes;
  EXPECT_TRUE(DecodeBinaryHex(text, &bytes)) << text;
  return bytes;
}

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Bytes 0, 1, 2, ... of the given length.
Bytes Counting(std::size_t length, std::uint8_t start = 0) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(start + i);
  return bytes;
}

void SetKey(CCryptEngine& engine, const Bytes& key) {
  ASSERT_EQ(engine.SetKey(key.data(), static_cast<std::uint32_t>(key.size())), 0u);
}

// Runs Encrypt or Decrypt with a buffer of the size the engine asks for.
std::uint32_t RunEngine(const CCryptEngine& engine, bool encrypt, const Bytes& in, Bytes* out) {
  const auto in_len = static_cast<std::uint32_t>(in.size());
  std::uint32_t size = encrypt ? engine.GetEncryptedSize(in.data(), in_len)
                               : engine.GetDecryptedSize(in.data(), in_len);
  out->assign(size, 0);
  const std::uint32_t result = encrypt ? engine.Encrypt(in.data(), in_len, out->data(), &size)
                                       : engine.Decrypt(in.data(), in_len, out->data(), &size);
  if (result == 0) out->resize(size);
  return result;
}

TEST(DecodeBinaryHexTest, DecodesPairsMostSignificantDigitFirst) {
  struct Case {
    std::string_view text;
    Bytes bytes;
  };
  const Case cases[] = {
      {"", {}},
      {"00", {0x00}},
      {"0aF0", {0x0A, 0xF0}},
      {"A1b2C3", {0xA1, 0xB2, 0xC3}},
  };
  for (const Case& c : cases) {
    Bytes bytes{0x55};
    ASSERT_TRUE(DecodeBinaryHex(c.text, &bytes)) << c.text;
    EXPECT_EQ(bytes, c.bytes) << c.text;
  }
}

TEST(DecodeBinaryHexTest, RejectsMalformedTextWithoutTouchingTheOutput) {
  for (std::string_view text : {"0", "abc", "0g", "g0", "-1", "+1", " 1", "1 ", "0x", "00zz"}) {
    Bytes bytes{0x55};
    EXPECT_FALSE(DecodeBinaryHex(text, &bytes)) << text;
    EXPECT_EQ(bytes, Bytes{0x55}) << text;
  }
}

TEST(BuildKeyMaterialTest, FoldsKeysOfEveryLengthIntoTwentyBytes) {
  const Bytes twenty = Counting(20, 1);  // 01 .. 14
  Bytes twenty_one = twenty;
  twenty_one.push_back(0x10);
  Bytes changed_byte0 = twenty;
  changed_byte0[0] = 0x10 * (0x01 + 1);
  struct Case {
    const char* name;
    Bytes key;
    Bytes material;
  };
  const Case cases[] = {
      {"no key", {}, Bytes(20, 0x00)},
      {"short key is padded with the filler",
       {0xAB, 0xCD},
       [] {
         Bytes m(20, kKeyMaterialFiller);
         m[0] = 0xAB;
         m[1] = 0xCD;
         return m;
       }()},
      {"20 bytes are the material", twenty, twenty},
      {"21st byte changes byte 0 only", twenty_one, changed_byte0},
      // Worked out by hand: three passes over the first nine bytes, with
      // products that overflow 8 bits.
      {"49 bytes",
       Hex("A1B2C3D4E5F60718293A4B5C6D7E8F9001122334FEDCBA9876543210FFEEDDCCBBAA99887766"
           "554433221100C0FFEE0102"),
       Hex("a74af900c0f3ce91aeda9c1c5a561008ee92f414")},
  };
  for (const Case& c : cases) {
    const KeyMaterial material = BuildKeyMaterial(c.key);
    EXPECT_EQ(Bytes(material.begin(), material.end()), c.material) << c.name;
  }
}

// Ciphertexts computed independently with the openssl command-line tool from
// the key material (SHA-1, provider key rule, AES-128-CBC with a zero IV).
// They pin the on-disk format: a change here makes existing files unreadable.
TEST(CCryptEngineAPITest, MatchesIndependentlyComputedCiphertexts) {
  struct Case {
    std::string_view key;
    std::string_view plain;
    std::string_view cipher;
  };
  constexpr Case kCases[] = {
      {"000102030405060708090a0b0c0d0e0f10111213", "0123456789abcdef0123456789ABCDEF",
       "1aa0e5cf1c32b923233f62132862e509f4e748fc95046fa5b102c0db2b88ad7b"
       "852f23237dce7580c7c75bdf5f1752ef"},
      {"A1B2C3D4E5F60718293A4B5C6D7E8F9001122334FEDCBA9876543210FFEEDDCCBBAA998877665544"
       "33221100C0FFEE0102",
       "<SecDb Version=\"1\"/>",
       "03e1ee644a3dafa3630eb498cc6beaf7d647150d780410efe3a4ecbbf7c12f4c"},
      {"010203", "<SecDb Version=\"1\"/>",
       "716771e80ec6244ee90bf776b0a90ae27efa75762e5769e4230067ac5dab4d77"},
  };
  for (const Case& c : kCases) {
    CCryptEngineAPI engine;
    SetKey(engine, Hex(c.key));
    Bytes out;
    ASSERT_EQ(RunEngine(engine, /*encrypt=*/true, Text(c.plain), &out), 0u) << c.key;
    EXPECT_EQ(out, Hex(c.cipher)) << c.key;
    ASSERT_EQ(RunEngine(engine, /*encrypt=*/false, Hex(c.cipher), &out), 0u) << c.key;
    EXPECT_EQ(out, Text(c.plain)) << c.key;
  }
}

TEST(CCryptEngineAPITest, RoundTripsWithKeysOfManyLengths) {
  for (std::size_t key_length : {1u, 16u, 19u, 20u, 21u, 64u, 300u}) {
    CCryptEngineAPI engine;
    SetKey(engine, Counting(key_length, 0x80));
    for (std::size_t length : {1u, 15u, 16u, 31u, 32u, 1000u}) {
      const Bytes plain = Counting(length);
      Bytes cipher, back;
      ASSERT_EQ(RunEngine(engine, /*encrypt=*/true, plain, &cipher), 0u)
          << key_length << "/" << length;
      EXPECT_EQ(cipher.size(), length - length % 16 + 16);
      ASSERT_EQ(RunEngine(engine, /*encrypt=*/false, cipher, &back), 0u)
          << key_length << "/" << length;
      EXPECT_EQ(back, plain) << key_length << "/" << length;
    }
  }
}

TEST(CCryptEngineAPITest, ReportsSizes) {
  CCryptEngineAPI engine;
  const Bytes data(64);
  EXPECT_EQ(engine.GetEncryptedSize(data.data(), 10), 10u) << "no key";
  SetKey(engine, Counting(20));
  struct Case {
    std::uint32_t in_len;
    std::uint32_t encrypted;
  };
  constexpr Case kCases[] = {{1, 16}, {15, 16}, {16, 32}, {31, 32}, {32, 48}};
  for (const Case& c : kCases) {
    EXPECT_EQ(engine.GetEncryptedSize(data.data(), c.in_len), c.encrypted) << c.in_len;
    EXPECT_EQ(engine.GetDecryptedSize(data.data(), c.in_len), c.in_len) << c.in_len;
  }
  EXPECT_EQ(engine.GetEncryptedSize(nullptr, 16), 0u);
  EXPECT_EQ(engine.GetEncryptedSize(data.data(), 0), 0u);
  // The padded size would wrap around 32 bits; the buffer is never read.
  EXPECT_EQ(engine.GetEncryptedSize(data.data(), 0xFFFFFFF5u), 0u);
}

// The 20-byte key is the material itself, and a 21st byte only changes
// material byte 0, so it encrypts like the 20-byte key with that byte swapped.
TEST(CCryptEngineAPITest, TwentyFirstKeyByteActsOnMaterialByteZero) {
  const Bytes twenty = Counting(20, 3);
  Bytes twenty_one = twenty;
  twenty_one.push_back(0x11);
  Bytes equivalent = twenty;
  equivalent[0] = static_cast<std::uint8_t>(0x11 * (twenty[0] + 1));
  const Bytes plain = Text("<SecDb/>");
  auto encrypt = [&](const Bytes& key) {
    CCryptEngineAPI engine;
    SetKey(engine, key);
    Bytes out;
    EXPECT_EQ(RunEngine(engine, /*encrypt=*/true, plain, &out), 0u);
    return out;
  };
  EXPECT_EQ(encrypt(twenty_one), encrypt(equivalent));
  EXPECT_NE(encrypt(twenty_one), encrypt(twenty));
}

TEST(CCryptEngineAPITest, CopiesWithoutAKey) {
  const Bytes plain = Counting(10, 0x41);
  for (bool encrypt : {true, false}) {
    CCryptEngineAPI engine;
    Bytes out(32, 0xEE);
    std::uint32_t out_len = 32;
    const std::uint32_t result = encrypt ? engine.Encrypt(plain.data(), 10, out.data(), &out_len)
                                         : engine.Decrypt(plain.data(), 10, out.data(), &out_len);
    ASSERT_EQ(result, 0u);
    // Bytes written, not the capacity the caller offered.
    ASSERT_EQ(out_len, 10u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 10), plain);
  }
}

TEST(CCryptEngineAPITest, RejectsBadArgumentsAndShortOutput) {
  CCryptEngineAPI engine;
  SetKey(engine, Counting(20));
  Bytes in(32), out(64);
  struct Case {
    const char* name;
    const std::uint8_t* in;
    std::uint32_t in_len;
    std::uint8_t* out;
    std::uint32_t capacity;
    bool null_out_len;
    std::uint32_t result;
  };
  const Case cases[] = {
      {"no input", nullptr, 31, out.data(), 64, false, kCryptErrorBadArguments},
      {"empty input", in.data(), 0, out.data(), 64, false, kCryptErrorBadArguments},
      {"no output", in.data(), 31, nullptr, 64, false, kCryptErrorBadArguments},
      {"no out_len", in.data(), 31, out.data(), 64, true, kCryptErrorBadArguments},
      {"output is input", in.data(), 31, in.data(), 31, false, kCryptErrorBadArguments},
      {"output overlaps input", in.data() + 8, 16, in.data(), 31, false, kCryptErrorBadArguments},
      // Encrypt needs 48 bytes, Decrypt 32.
      {"output too small", in.data(), 32, out.data(), 31, false, kCryptErrorBufferTooSmall},
  };
  for (const Case& c : cases) {
    std::uint32_t out_len = c.capacity;
    std::uint32_t* out_len_arg = c.null_out_len ? nullptr : &out_len;
    EXPECT_EQ(engine.Encrypt(c.in, c.in_len, c.out, out_len_arg), c.result) << c.name;
    EXPECT_EQ(engine.Decrypt(c.in, c.in_len, c.out, out_len_arg), c.result) << c.name;
    EXPECT_EQ(out_len, c.capacity) << c.name;
  }
}

TEST(CCryptEngineAPITest, DecryptFailsCleanlyOnDataItCannotRead) {
  CCryptEngineAPI writer;
  SetKey(writer, Hex("000102030405060708090a0b0c0d0e0f10111213"));
  Bytes cipher;
  ASSERT_EQ(RunEngine(writer, /*encrypt=*/true, Text("0123456789abcdef0123456789ABCDEF"), &cipher),
            0u);

  CCryptEngineAPI wrong_key;
  SetKey(wrong_key, Hex("000102030405060708090a0b0c0d0e0f10111214"));
  Bytes out;
  EXPECT_EQ(RunEngine(wrong_key, /*encrypt=*/false, cipher, &out), kCryptErrorBadData);

  // The reader sizes its buffer from GetDecryptedSize; a truncated file must
  // still fail in Decrypt rather than read or write out of bounds.
  for (std::size_t length : {1u, 15u, 47u}) {
    EXPECT_EQ(
        RunEngine(writer, /*encrypt=*/false, Bytes(cipher.begin(), cipher.begin() + length), &out),
        kCryptErrorBadData)
        << length;
  }
}

// Fails the chosen provider call; everything else goes to the real provider.
class FailingProvider : public CryptoProvider {
 public:
  enum class Fail { kHash, kDerive, kBlockLength, kCipher };
  explicit FailingProvider(Fail fail) : fail_(fail) {}

  std::uint32_t HashSha1(std::span<const std::uint8_t> data, Sha1Digest* digest) const override {
    return fail_ == Fail::kHash ? kFailure : real().HashSha1(data, digest);
  }
  std::uint32_t DeriveAes128Key(const Sha1Digest& hash, Aes128Key* key) const override {
    return fail_ == Fail::kDerive ? kFailure : real().DeriveAes128Key(hash, key);
  }
  std::uint32_t BlockLength() const override {
    return fail_ == Fail::kBlockLength ? 0 : real().BlockLength();
  }
  std::uint32_t EncryptAes128Cbc(const Aes128Key& key, std::span<const std::uint8_t> in,
                                 std::uint8_t* out, std::size_t capacity,
                                 std::size_t* written) const override {
    *written = 0;
    return fail_ == Fail::kCipher ? kFailure
                                  : real().EncryptAes128Cbc(key, in, out, capacity, written);
  }
  std::uint32_t DecryptAes128Cbc(const Aes128Key& key, std::span<const std::uint8_t> in,
                                 std::uint8_t* out, std::size_t* written) const override {
    *written = 0;
    return fail_ == Fail::kCipher ? kFailure : real().DecryptAes128Cbc(key, in, out, written);
  }

  static constexpr std::uint32_t kFailure = kCryptErrorProviderFailure;

 private:
  static const CryptoProvider& real() { return DefaultCryptoProvider(); }
  Fail fail_;
};

TEST(CCryptEngineAPITest, PassesProviderFailuresOn) {
  using Fail = FailingProvider::Fail;
  struct Case {
    Fail fail;
    std::uint32_t result;
  };
  constexpr Case kCases[] = {
      {Fail::kHash, FailingProvider::kFailure},
      {Fail::kDerive, FailingProvider::kFailure},
      {Fail::kBlockLength, kCryptErrorNoBlockLength},
      {Fail::kCipher, FailingProvider::kFailure},
  };
  const Bytes plain(32, 0x5A);
  for (const Case& c : kCases) {
    FailingProvider provider(c.fail);
    CCryptEngineAPI engine(provider);
    SetKey(engine, Counting(20));
    Bytes out(64);
    for (bool encrypt : {true, false}) {
      std::uint32_t out_len = 64;
      const std::uint32_t result = encrypt ? engine.Encrypt(plain.data(), 32, out.data(), &out_len)
                                           : engine.Decrypt(plain.data(), 32, out.data(), &out_len);
      EXPECT_EQ(result, c.result) << static_cast<int>(c.fail) << " " << encrypt;
      EXPECT_EQ(out_len, 0u) << static_cast<int>(c.fail) << " " << encrypt;
    }
    if (c.fail != Fail::kCipher) {
      EXPECT_EQ(engine.GetEncryptedSize(plain.data(), 32), 0u) << static_cast<int>(c.fail);
    }
  }
}

TEST(CCryptEngineTest, XorsWithTheRepeatedKey) {
  CCryptEngine engine;
  SetKey(engine, {0x01, 0x02, 0x03});
  const Bytes plain = {0x10, 0x20, 0x30, 0x40, 0x50};
  const Bytes expected = {0x11, 0x22, 0x33, 0x41, 0x52};
  Bytes out;
  ASSERT_EQ(RunEngine(engine, /*encrypt=*/true, plain, &out), 0u);
  EXPECT_EQ(out, expected);
  ASSERT_EQ(RunEngine(engine, /*encrypt=*/false, expected, &out), 0u);
  EXPECT_EQ(out, plain);

  // In place, and over a buffer shifted by one byte.
  Bytes buffer = {0x00, 0x10, 0x20, 0x30, 0x40, 0x50};
  std::uint32_t out_len = 5;
  ASSERT_EQ(engine.Encrypt(buffer.data() + 1, 5, buffer.data(), &out_len), 0u);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 5), expected);
}

TEST(CCryptEngineTest, ChecksArgumentsForBothDirections) {
  CCryptEngine engine;
  Bytes in(10), out(10);
  for (bool encrypt : {true, false}) {
    auto call = [&](const std::uint8_t* i, std::uint32_t n, std::uint8_t* o, std::uint32_t* len) {
      return encrypt ? engine.Encrypt(i, n, o, len) : engine.Decrypt(i, n, o, len);
    };
    std::uint32_t out_len = 10;
    EXPECT_EQ(call(nullptr, 10, out.data(), &out_len), kCryptErrorBadArguments);
    EXPECT_EQ(call(in.data(), 10, nullptr, &out_len), kCryptErrorBadArguments);
    EXPECT_EQ(call(in.data(), 10, out.data(), nullptr), kCryptErrorBadArguments);
    out_len = 9;
    EXPECT_EQ(call(in.data(), 10, out.data(), &out_len), kCryptErrorBufferTooSmall);
    out_len = 32;
    Bytes big(32);
    EXPECT_EQ(call(in.data(), 10, big.data(), &out_len), 0u);
    EXPECT_EQ(out_len, 10u) << "bytes written, not the capacity";
  }
}

TEST(CCryptEngineTest, SetKeyReplacesAndRemovesTheKey) {
  CCryptEngine engine;
  const Bytes plain = {0x10, 0x20};
  auto encrypt = [&] {
    Bytes out;
    EXPECT_EQ(RunEngine(engine, /*encrypt=*/true, plain, &out), 0u);
    return out;
  };
  SetKey(engine, {0xFF});
  EXPECT_EQ(encrypt(), (Bytes{0xEF, 0xDF}));
  EXPECT_EQ(engine.SetKey(nullptr, 4), kCryptErrorBadArguments);
  EXPECT_EQ(encrypt(), (Bytes{0xEF, 0xDF})) << "a refused key keeps the old one";
  SetKey(engine, {});
  EXPECT_EQ(encrypt(), plain);
}

}  // namespace
}  // namespace xmlsecdb
