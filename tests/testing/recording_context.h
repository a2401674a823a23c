// A section read context that records the failure a reader reports
// instead of raising an error record, for testing element readers alone.
#ifndef XMLSECDB_TESTS_TESTING_RECORDING_CONTEXT_H_
#define XMLSECDB_TESTS_TESTING_RECORDING_CONTEXT_H_

#include <string>
#include <string_view>

#include "core/section.h"

namespace xmlsecdb::testing {

class RecordingContext final : public SectionReadContext {
 public:
  explicit RecordingContext(ParserCore& parser) : parser_(parser) {}
  ParserCore& parser() override { return parser_; }
  // Records "<message id><suffix>", e.g. "109 Missing AR.".
  HRESULT Fail(int message_id, std::string_view suffix) override {
    failure = std::to_string(message_id) + std::string(suffix);
    return E_FAIL;
  }
  std::string failure;

 private:
  ParserCore& parser_;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_RECORDING_CONTEXT_H_
