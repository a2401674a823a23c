#include "list/id_index.h"

#include <limits>

#include "list/list_item.h"

namespace xmlsecdb {

std::size_t IdIndex::Slot(std::int32_t id) const {
  const auto key = static_cast<std::uint32_t>(id);
  if (run_shift_ >= 64) return key & (slots_.size() - 1);
  // Runs of consecutive identifiers share consecutive slots, and the runs
  // are spread over the table by Fibonacci hashing: finding rules in
  // identifier order reads the table a run at a time.
  const std::uint64_t h = static_cast<std::uint64_t>(key >> kRunBits) * 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(((h >> run_shift_) << kRunBits) | (key & kRunMask));
}

RuleItemBase* IdIndex::Find(std::int32_t id) const {
  if (slots_.empty()) return nullptr;
  std::size_t mask = slots_.size() - 1;
  for (std::size_t i = Slot(id);; i = (i + 1) & mask) {
    RuleItemBase* item = slots_[i];
    if (!item || item->rule_id() == id) return item;
  }
}

void IdIndex::Insert(RuleItemBase* item) {
  // Grows at 70 % load, so that a probe ends soon on an empty slot.
  if ((size_ + 1) * 10 > slots_.size() * 7) Grow();
  std::size_t mask = slots_.size() - 1;
  std::size_t i = Slot(item->rule_id());
  while (slots_[i]) i = (i + 1) & mask;
  slots_[i] = item;
  ++size_;
}

void IdIndex::Erase(std::int32_t id) {
  if (slots_.empty()) return;
  std::size_t mask = slots_.size() - 1;
  std::size_t i = Slot(id);
  while (slots_[i] && slots_[i]->rule_id() != id) i = (i + 1) & mask;
  if (!slots_[i]) return;
  // Backward-shift deletion: move later entries of the probe run into the
  // gap when their home slot does not lie between the gap and them.
  std::size_t gap = i;
  for (std::size_t j = (gap + 1) & mask; slots_[j]; j = (j + 1) & mask) {
    std::size_t home = Slot(slots_[j]->rule_id());
    bool stays = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
    if (!stays) {
      slots_[gap] = slots_[j];
      gap = j;
    }
  }
  slots_[gap] = nullptr;
  --size_;
}

void IdIndex::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  size_ = 0;
  run_shift_ = 64;
}

void IdIndex::Grow() {
  std::vector<RuleItemBase*> old;
  old.swap(slots_);
  std::size_t capacity = old.empty() ? 16 : old.size() * 2;
  slots_.assign(capacity, nullptr);
  // 64 less the bits that number the runs of the table (no bits in a
  // table of one run).
  run_shift_ = 64 + kRunBits;
  for (std::size_t c = capacity; c > 1; c >>= 1) --run_shift_;
  if (run_shift_ > 64) run_shift_ = 64;
  size_ = 0;
  std::size_t mask = capacity - 1;
  for (RuleItemBase* item : old) {
    if (!item) continue;
    std::size_t i = Slot(item->rule_id());
    while (slots_[i]) i = (i + 1) & mask;
    slots_[i] = item;
    ++size_;
  }
}

bool FreeIdCursor::Advance(const IdIndex& index) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const std::int32_t last = step_ > 0 ? kMax : kMin;
  while (index.Find(frontier_)) {
    if (frontier_ == last) return false;
    frontier_ += step_;
  }
  return true;
}

std::int32_t FreeIdCursor::Next(const IdIndex& index) {
  if (!holes_.empty()) return step_ > 0 ? *holes_.begin() : *holes_.rbegin();
  return Advance(index) ? frontier_ : 0;
}

void FreeIdCursor::Taken(std::int32_t id, const IdIndex& index) {
  if (!holes_.empty()) holes_.erase(id);
  if (id == frontier_) (void)Advance(index);
}

void FreeIdCursor::Freed(std::int32_t id) {
  if (Below(id)) holes_.insert(id);
}

void FreeIdCursor::Reset() {
  frontier_ = step_;
  holes_.clear();
}

}  // namespace xmlsecdb
