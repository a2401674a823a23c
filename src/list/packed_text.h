// PackedText<N>: N strings of an item kept in one heap block.
//
// A rule has up to eight texts (application, path, description, ...), most
// of them short or empty, and a database may hold a million rules. Eight
// std::string members would cost 256 bytes per rule before any text; here
// the item keeps one pointer, and the block holds the N lengths followed by
// the characters end to end. An item whose texts are all empty holds no
// block at all.
//
// Setting one text rebuilds the block, which is cheap for the few hundred
// bytes a rule holds and keeps reading (the common case) a pointer sum.
// Not thread-safe, like the items that hold it.
#ifndef XMLSECDB_LIST_PACKED_TEXT_H_
#define XMLSECDB_LIST_PACKED_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace xmlsecdb {

template <std::size_t N>
class PackedText {
 public:
  PackedText() = default;
  PackedText(const PackedText& other) { *this = other; }
  PackedText& operator=(const PackedText& other) {
    if (this == &other) return *this;
    if (!other.block_) {
      block_.reset();
      return *this;
    }
    std::size_t bytes = other.block_bytes();
    block_.reset(new char[bytes]);
    std::memcpy(block_.get(), other.block_.get(), bytes);
    return *this;
  }

  std::string_view get(std::size_t slot) const {
    if (!block_) return {};
    const char* text = block_.get() + kHeader;
    for (std::size_t i = 0; i < slot; ++i) text += length(i);
    return std::string_view(text, length(slot));
  }

  void set(std::size_t slot, std::string_view value) {
    std::uint32_t lengths[N] = {};
    std::size_t total = 0;
    for (std::size_t i = 0; i < N; ++i) {
      lengths[i] = static_cast<std::uint32_t>(i == slot ? value.size() : length(i));
      total += lengths[i];
    }
    if (total == 0) {
      block_.reset();
      return;
    }
    std::unique_ptr<char[]> block(new char[kHeader + total]);
    std::memcpy(block.get(), lengths, kHeader);
    char* out = block.get() + kHeader;
    for (std::size_t i = 0; i < N; ++i) {
      std::string_view text = i == slot ? value : get(i);
      if (!text.empty()) std::memcpy(out, text.data(), text.size());
      out += text.size();
    }
    block_ = std::move(block);
  }

  // Sets every text at once (one block), as a reader does.
  void assign(const std::string_view (&values)[N]) {
    std::size_t total = 0;
    for (std::string_view value : values) total += value.size();
    if (total == 0) {
      block_.reset();
      return;
    }
    std::unique_ptr<char[]> block(new char[kHeader + total]);
    char* out = block.get() + kHeader;
    for (std::size_t i = 0; i < N; ++i) {
      std::uint32_t n = static_cast<std::uint32_t>(values[i].size());
      std::memcpy(block.get() + i * sizeof n, &n, sizeof n);
      if (n) std::memcpy(out, values[i].data(), n);
      out += n;
    }
    block_ = std::move(block);
  }

  // Heap bytes held, for memory accounting.
  std::size_t memory() const { return block_ ? block_bytes() : 0; }

 private:
  static constexpr std::size_t kHeader = N * sizeof(std::uint32_t);

  std::uint32_t length(std::size_t slot) const {
    if (!block_) return 0;
    std::uint32_t n;
    std::memcpy(&n, block_.get() + slot * sizeof(std::uint32_t), sizeof n);
    return n;
  }
  std::size_t block_bytes() const {
    std::size_t total = kHeader;
    for (std::size_t i = 0; i < N; ++i) total += length(i);
    return total;
  }

  std::unique_ptr<char[]> block_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_PACKED_TEXT_H_
