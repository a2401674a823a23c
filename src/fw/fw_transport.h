// FWTransport: the nine fields of a firewall transport — what a transport
// item of a definition and a rule's inline transport both hold — and the
// comparison that orders two transports.
//
// Stateless functions; callable from any thread.
#ifndef XMLSECDB_FW_FW_TRANSPORT_H_
#define XMLSECDB_FW_FW_TRANSPORT_H_

#include <cstdint>
#include <string>

#include "xmlsecdb/enums.h"
#include "xmlsecdb/fw.h"

namespace xmlsecdb {

struct FWTransport {
  std::string content;
  EDirection direction = DIR_IN;
  EProtocol protocol = PROT_TCP;
  EICMPType icmp_type = ICMP_ALL;
  std::int32_t local_from = 0;
  std::int32_t local_to = 65535;
  std::int32_t remote_from = 0;
  std::int32_t remote_to = 65535;
  // First protocol number in the low 16 bits, last in the high 16 bits.
  std::int32_t protocol_numbers = 0;
};

// The range comparison of (a_first, a_last) with (b_first, b_last): -1 when
// A lies inside a wider B (the narrower range first), 1 for the reverse,
// else ±2 by the first ends, then by the last ends, else 0. B "wider"
// means B is no single value and A is not B.
int CompareRanges(std::int32_t a_first, std::int32_t a_last, std::int32_t b_first,
                  std::int32_t b_last);

// IFWItem::Compare of `a` with `b` (xmlsecdb/fw.h): negative when `a` sorts
// first, the magnitude naming the deciding field.
std::int16_t CompareTransports(const FWTransport& a, const FWTransport& b);

}  // namespace xmlsecdb

#endif  // XMLSECDB_FW_FW_TRANSPORT_H_
