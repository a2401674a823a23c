// The identifier index of an ordered rule list, and the search for free
// identifiers.
//
// IdIndex maps a rule identifier to the member that has it. It is an
// open-addressing table of item pointers (linear probing, no tombstones):
// the key is read from the item itself, so an entry costs one pointer and no
// heap node. The list keeps each member's identifier equal to its key (it
// re-keys on every identifier change of a member). Identifiers that differ
// only in their low kRunBits bits sit side by side, so that finding rules
// in identifier order, the usual walk, stays cheap in a table far larger
// than the caches.
//
// FreeIdCursor answers "the first identifier from 1 upwards (or from -1
// downwards) that no member has" in amortized O(1): it remembers how far
// the identifiers are known to be taken and which of those were freed
// since.
#ifndef XMLSECDB_LIST_ID_INDEX_H_
#define XMLSECDB_LIST_ID_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

namespace xmlsecdb {

class RuleItemBase;

class IdIndex {
 public:
  RuleItemBase* Find(std::int32_t id) const;
  // `item`'s identifier must not be in the index.
  void Insert(RuleItemBase* item);
  // Removes the entry of `id` (which must be there).
  void Erase(std::int32_t id);
  void Clear();

 private:
  std::size_t Slot(std::int32_t id) const;
  void Grow();

  static constexpr int kRunBits = 6;
  static constexpr std::uint32_t kRunMask = (1u << kRunBits) - 1;

  std::vector<RuleItemBase*> slots_;  // size a power of two, or empty
  std::size_t size_ = 0;
  int run_shift_ = 64;
};

class FreeIdCursor {
 public:
  // `step` is 1 (identifiers 1, 2, ...) or -1 (-1, -2, ...).
  explicit FreeIdCursor(std::int32_t step) : step_(step), frontier_(step) {}

  // The first free identifier in the cursor's direction, or 0 when every
  // one is taken.
  std::int32_t Next(const IdIndex& index);
  // A member now has `id` (already in `index`): the frontier moves on at
  // once, so a list built in identifier order answers Next without a walk.
  void Taken(std::int32_t id, const IdIndex& index);
  // No member has `id` any more.
  void Freed(std::int32_t id);
  void Reset();

 private:
  // Moves the frontier past taken identifiers; false when it reached the
  // last identifier of its direction and that one is taken.
  bool Advance(const IdIndex& index);
  bool Below(std::int32_t id) const {
    return step_ > 0 ? id >= 1 && id < frontier_ : id <= -1 && id > frontier_;
  }

  std::int32_t step_;
  // Every identifier from `step_` up to (not including) `frontier_` is
  // taken, or free and in `holes_`.
  std::int32_t frontier_;
  std::set<std::int32_t> holes_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_ID_INDEX_H_
