#include "list/rule_list.h"

#include <algorithm>
#include <vector>

#include "core/error_report.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

RuleItemBase* Next(const ListItemBase* item) {
  return static_cast<const RuleItemBase*>(item)->next_member();
}

bool PrecedesByCompare(const RuleItemBase* a, const RuleItemBase* b) { return a->Compare(*b) < 0; }

// A stable merge sort that needs nothing of Compare but that it answers:
// every step reads within the runs it merges, so a comparison that is not
// a strict weak order (the firewall's) still gives a permutation, the same
// one for the same input, in O(n log n) comparisons. A member is taken from
// the right run only when the left one sorts after it, the test Insert
// uses to walk back, so a run already in Insert's order stays as it is.
void MergeSortByCompare(std::vector<RuleItemBase*>& members) {
  const std::size_t n = members.size();
  std::vector<RuleItemBase*> buffer(n);
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, n);
      const std::size_t hi = std::min(lo + 2 * width, n);
      std::size_t left = lo;
      std::size_t right = mid;
      std::size_t out = lo;
      while (left < mid && right < hi) {
        buffer[out++] =
            members[left]->Compare(*members[right]) > 0 ? members[right++] : members[left++];
      }
      while (left < mid) buffer[out++] = members[left++];
      while (right < hi) buffer[out++] = members[right++];
    }
    members.swap(buffer);
  }
}

// Comparison order for `members`: the library's stable sort for a strict
// weak order, else MergeSortByCompare.
void SortByCompare(std::vector<RuleItemBase*>& members, bool strict_weak_order) {
  if (strict_weak_order) {
    std::stable_sort(members.begin(), members.end(), PrecedesByCompare);
  } else {
    MergeSortByCompare(members);
  }
}

}  // namespace

RuleListCore::~RuleListCore() {
  UnbindAll();
  RuleItemBase* item = head_;
  head_ = tail_ = nullptr;
  count_ = 0;
  index_.Clear();
  while (item) {
    RuleItemBase* next = item->next_member();
    ReleaseMember(item);
    item = next;
  }
}

ListItemBase* RuleListCore::MemberAt(std::int32_t index) {
  EndBulkLoad();
  if (index < 0 || index >= count_) return nullptr;
  if (!cursor_ || cursor_stamp_ != changes()) {
    cursor_ = head_;
    cursor_index_ = 0;
    cursor_stamp_ = changes();
  }
  // Start from whichever of the front, the back and the cursor is nearest.
  ListItemBase* at = cursor_;
  std::int32_t at_index = cursor_index_;
  std::int32_t distance = index > at_index ? index - at_index : at_index - index;
  if (index < distance) {
    at = head_;
    at_index = 0;
    distance = index;
  }
  if (count_ - 1 - index < distance) {
    at = tail_;
    at_index = count_ - 1;
  }
  while (at_index < index) {
    at = at->next_;
    ++at_index;
  }
  while (at_index > index) {
    at = at->prev_;
    --at_index;
  }
  cursor_ = at;
  cursor_index_ = index;
  return at;
}

ListItemBase* RuleListCore::MemberAfter(ListItemBase* member, std::int32_t index) {
  return index < count_ ? member->next_ : nullptr;
}

RuleItemBase* RuleListCore::InsertPosition(const RuleItemBase& item) const {
  // After the last member unless it sorts after the new item; else after
  // the nearest member, walking back, that sorts strictly before it.
  RuleItemBase* prev = tail_;
  if (traits().insert_by_compare && prev && prev->Compare(item) > 0) {
    do {
      prev = static_cast<RuleItemBase*>(prev->prev_);
    } while (prev && prev->Compare(item) >= 0);
  }
  return prev;
}

void RuleListCore::LinkAfter(RuleItemBase* item, RuleItemBase* prev) {
  item->prev_ = prev;
  item->next_ = prev ? prev->next_ : head_;
  if (item->next_) {
    item->next_->prev_ = item;
  } else {
    tail_ = item;
  }
  if (prev) {
    prev->next_ = item;
  } else {
    head_ = item;
  }
  ++count_;
}

void RuleListCore::Unlink(RuleItemBase* item) {
  if (item->prev_) {
    item->prev_->next_ = item->next_;
  } else {
    head_ = static_cast<RuleItemBase*>(item->next_);
  }
  if (item->next_) {
    item->next_->prev_ = item->prev_;
  } else {
    tail_ = static_cast<RuleItemBase*>(item->prev_);
  }
  item->prev_ = item->next_ = nullptr;
  --count_;
}

HRESULT RuleListCore::InsertMember(RuleItemBase* item) {
  EndBulkLoad();
  return Place(item, false);
}

HRESULT RuleListCore::InsertLoaded(RuleItemBase* item) {
  bulk_ = true;
  return Place(item, true);
}

HRESULT RuleListCore::Place(RuleItemBase* item, bool append) {
  RETURN_IF_FAILED(CheckWritable("Insert"));
  if (item->attached()) {
    // Linking a member a second time would corrupt both sequences.
    if (item->list() != this) return E_INVALIDARG;
    return Report("Insert()", kMsgDuplicateRuleId, SECDB_E_DUPLICATEID);
  }
  NotifyInsert(true, item);
  const std::int32_t id = item->rule_id();
  if (index_.Find(id)) return Report("Insert()", kMsgDuplicateRuleId, SECDB_E_DUPLICATEID);

  RuleItemBase* prev = append ? tail_ : InsertPosition(*item);
  Adopt(item);
  LinkAfter(item, prev);
  index_.Insert(item);
  positive_.Taken(id, index_);
  negative_.Taken(id, index_);
  NotifyInsert(false, item);
  return S_OK;
}

HRESULT RuleListCore::RemoveMember(RuleItemBase* item) {
  RETURN_IF_FAILED(CheckWritable("Remove"));
  const std::int32_t id = item->rule_id();
  RuleItemBase* found = index_.Find(id);
  if (!found) return Report("Remove()", kMsgNotFound, SECDB_E_NOTFOUND);
  // Another member with the same identifier stays, and stays findable.
  if (found != item) return E_FAIL;

  ComPtr<IUnknown> keep(item->unknown_self());
  NotifyRemove(true, item);
  Unlink(item);
  index_.Erase(id);
  positive_.Freed(id);
  negative_.Freed(id);
  Disown(item);
  item->unknown_self()->Release();
  NotifyRemove(false, item);
  return S_OK;
}

HRESULT RuleListCore::ClearMembers() {
  RETURN_IF_FAILED(CheckWritable("Clear"));
  RuleItemBase* item = head_;
  head_ = tail_ = nullptr;
  count_ = 0;
  bulk_ = false;
  cursor_ = nullptr;
  index_.Clear();
  positive_.Reset();
  negative_.Reset();
  Touch();
  while (item) {
    RuleItemBase* next = Next(item);
    Disown(item);
    item->unknown_self()->Release();
    item = next;
  }
  return S_OK;
}

HRESULT RuleListCore::GenerateID(std::int32_t* id) {
  if (!id) return E_POINTER;
  FreeIdCursor& cursor = parser_has_master() ? negative_ : positive_;
  *id = cursor.Next(index_);
  return *id != 0 ? S_OK : E_FAIL;
}

HRESULT RuleListCore::FindByText(std::string_view text, RuleItemBase** found) {
  std::int32_t id = 0;
  RETURN_IF_FAILED(ParseRuleID(text, &id));
  *found = index_.Find(id);
  if (*found) return S_OK;
  std::string call = "Get(";
  call += text;
  call += ')';
  return Report(call, kMsgNotFound, SECDB_E_NOTFOUND);
}

HRESULT RuleListCore::FindByNumber(std::int32_t id, RuleItemBase** found) {
  *found = index_.Find(id);
  if (*found) return S_OK;
  return Report(FormatText("Get(%u)", static_cast<unsigned>(id)), kMsgNotFound, SECDB_E_NOTFOUND);
}

void RuleListCore::Sort() {
  EndBulkLoad();
  if (count_ < 2 || !traits().sort_before_save) return;
  std::vector<RuleItemBase*> members;
  members.reserve(static_cast<std::size_t>(count_));
  for (RuleItemBase* item = head_; item; item = Next(item)) members.push_back(item);
  SortByCompare(members, traits().strict_weak_order);
  Relink(members);
}

// Where Insert puts a rule, seen over a whole load: Insert appends a rule
// when the last member does not sort after it, and the last member is then
// always the latest rule so appended, since a rule placed by the backward
// walk never lands at the end. One pass with that test alone tells, for
// any comparison, which rules were appended ("tails") and which were walked
// back ("fronts").
//
// For a strict weak order the list is sorted after every Insert, and the
// walk puts a rule before every member that does not sort before it: at
// the front of its class of equal rules. A tail goes to the end of its
// class (its class is the greatest then). Once a class gets a front, a
// greater rule is a member, so no later rule of the class is a tail. Each
// class is therefore its fronts in reverse arrival order, then its tails in
// arrival order — which a stable sort of [fronts reversed, tails] gives.
// A comparison that is not a strict weak order has no such order to
// reproduce; replaying the walks would cost O(n²) on a reversed file, so
// the same sort runs with MergeSortByCompare, which is safe and
// deterministic for any comparison. A file in Insert's order (every file
// a save writes) has no fronts and keeps its order in both cases.
//
// The pass may also start on members placed by InsertMember (a sink that
// walked the list in the middle of a load settled it): they are sorted, so
// the pass sees them all as tails, which is where the later rules' places
// are decided from.
void RuleListCore::EndBulkLoad() {
  if (!bulk_) return;
  bulk_ = false;
  if (count_ < 2 || !traits().insert_by_compare) return;
  std::vector<RuleItemBase*> fronts;
  std::vector<RuleItemBase*> tails;
  tails.reserve(static_cast<std::size_t>(count_));
  RuleItemBase* last = nullptr;
  for (RuleItemBase* item = head_; item; item = Next(item)) {
    if (!last || last->Compare(*item) <= 0) {
      tails.push_back(item);
      last = item;
    } else {
      fronts.push_back(item);
    }
  }
  if (fronts.empty()) return;  // in order already: every file we save
  std::vector<RuleItemBase*> members(fronts.rbegin(), fronts.rend());
  members.insert(members.end(), tails.begin(), tails.end());
  SortByCompare(members, traits().strict_weak_order);
  Relink(members);
}

void RuleListCore::Relink(const std::vector<RuleItemBase*>& members) {
  RuleItemBase* prev = nullptr;
  for (RuleItemBase* item : members) {
    item->prev_ = prev;
    if (prev) prev->next_ = item;
    prev = item;
  }
  prev->next_ = nullptr;
  head_ = members.front();
  tail_ = members.back();
  Touch();
}

void RuleListCore::Rekey(RuleItemBase* item, std::int32_t id) {
  index_.Erase(item->rule_id_);
  positive_.Freed(item->rule_id_);
  negative_.Freed(item->rule_id_);
  item->rule_id_ = id;
  index_.Insert(item);
  positive_.Taken(id, index_);
  negative_.Taken(id, index_);
}

}  // namespace xmlsecdb
