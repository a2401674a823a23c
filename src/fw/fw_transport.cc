#include "fw/fw_transport.h"

namespace xmlsecdb {
namespace {

bool Inside(std::int32_t a_first, std::int32_t a_last, std::int32_t b_first, std::int32_t b_last) {
  const bool same = a_first == b_first && a_last == b_last;
  return b_first != b_last && !same && a_first >= b_first && a_last <= b_last;
}

int Sign(int value) { return (value > 0) - (value < 0); }

// The packed protocol numbers as (first, last).
std::int32_t FirstNumber(std::int32_t packed) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(packed) & 0xFFFFu);
}
std::int32_t LastNumber(std::int32_t packed) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(packed) >> 16);
}

}  // namespace

int CompareRanges(std::int32_t a_first, std::int32_t a_last, std::int32_t b_first,
                  std::int32_t b_last) {
  if (Inside(a_first, a_last, b_first, b_last)) return -1;
  if (Inside(b_first, b_last, a_first, a_last)) return 1;
  if (a_first != b_first) return a_first < b_first ? -2 : 2;
  if (a_last != b_last) return a_last < b_last ? -2 : 2;
  return 0;
}

std::int16_t CompareTransports(const FWTransport& a, const FWTransport& b) {
  if (a.protocol != b.protocol) return a.protocol < b.protocol ? -1 : 1;
  if (a.direction != b.direction) return a.direction < b.direction ? -2 : 2;
  switch (a.protocol) {
    case PROT_TCP:
    case PROT_UDP:
    case PROT_TCP_UDP:
      if (int local = CompareRanges(a.local_from, a.local_to, b.local_from, b.local_to)) {
        return static_cast<std::int16_t>(Sign(local));
      }
      if (int remote = CompareRanges(a.remote_from, a.remote_to, b.remote_from, b.remote_to)) {
        return static_cast<std::int16_t>(2 * Sign(remote));
      }
      return 0;
    case PROT_ICMP:
      if (a.icmp_type != ICMP_ALL && b.icmp_type == ICMP_ALL) return -1;
      if (a.icmp_type == ICMP_ALL && b.icmp_type != ICMP_ALL) return 1;
      if (a.icmp_type != b.icmp_type) return a.icmp_type < b.icmp_type ? -2 : 2;
      return 0;
    default:
      return static_cast<std::int16_t>(
          Sign(CompareRanges(FirstNumber(a.protocol_numbers), LastNumber(a.protocol_numbers),
                             FirstNumber(b.protocol_numbers), LastNumber(b.protocol_numbers))));
  }
}

}  // namespace xmlsecdb
