// The load failures of one attribute, and the one place that maps them to
// their messages: an attribute that must be there and is not is message
// 109 "Required attribute is missing." with the `missing` detail; one whose
// text is no word of its vocabulary is message 110 with the `wrong` detail.
// Each element declares the detail texts of its attributes as constants:
//
//   constexpr FailureTexts kRuleAR = {" Missing rule AR.", " Wrong rule AR."};
//   RETURN_IF_FAILED(ReadWordAttribute(context, kAccessResult, attributes.Find("ar"),
//                                      kRuleAR, &result));
//
// (Some files' readers report other numbers for some attributes — a wrong
// `id` of a policy rule is 109, for instance; those call context.Fail
// themselves.)
#ifndef XMLSECDB_MODEL_ATTRIBUTE_READ_H_
#define XMLSECDB_MODEL_ATTRIBUTE_READ_H_

#include <optional>
#include <string_view>

#include "core/messages.h"
#include "core/section.h"
#include "model/vocabulary.h"

namespace xmlsecdb {

struct FailureTexts {
  std::string_view missing;  // detail of message 109
  std::string_view wrong;    // detail of message 110
};

// S_OK for ReadStatus::kOk; otherwise the load failure `status` stands for,
// reported through `context` (which ends the load).
inline HRESULT FailOn(SectionReadContext& context, ReadStatus status, const FailureTexts& texts) {
  switch (status) {
    case ReadStatus::kOk:
      return S_OK;
    case ReadStatus::kMissing:
      return context.Fail(kMsgMissingAttribute, texts.missing);
    case ReadStatus::kWrong:
      break;
  }
  return context.Fail(kMsgInvalidContent, texts.wrong);
}

// ReadWord of `text` into *value, with its failure reported as FailOn does.
template <class E>
HRESULT ReadWordAttribute(SectionReadContext& context, const Vocabulary<E>& words,
                          std::optional<std::string_view> text, const FailureTexts& texts,
                          E* value) {
  return FailOn(context, ReadWord(words, text, value), texts);
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_ATTRIBUTE_READ_H_
