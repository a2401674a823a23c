#include "app/app_group_section.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "core/error_report.h"
#include "core/messages.h"
#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "platform/sax_reader.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kGroupList = "GroupList";
constexpr std::string_view kGroup = "Group";
constexpr std::string_view kLabelID = "LabelID";
constexpr std::string_view kDllGroupList = "DllGroupList";
constexpr std::string_view kDllGroup = "DllGroup";
constexpr std::string_view kDllLabelID = "DllLabelID";

// Automation dates count days from 1899-12-30; the fraction is the time
// of day.
constexpr std::int64_t kDaysFrom1970To1899 = -25569;

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t* y, unsigned* m, unsigned* d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<std::int64_t>(yoe) + era * 400 + (*m <= 2);
}

}  // namespace

std::string RemoveDateText(double date) {
  if (!std::isfinite(date)) return {};
  // Whole seconds; a negative date counts its fraction forward from its
  // day, as automation dates do.
  double day = std::trunc(date);
  const double fraction = std::fabs(date - day);
  auto seconds = static_cast<std::int64_t>(std::llround(fraction * 86400.0));
  if (seconds >= 86400) {
    day += date < 0 ? -1 : 1;
    seconds -= 86400;
  }
  std::int64_t year = 0;
  unsigned month = 0, mday = 0;
  CivilFromDays(static_cast<std::int64_t>(day) + kDaysFrom1970To1899, &year, &month, &mday);
  return FormatText("%lld-%02u-%02uT%02d:%02d:%02d", static_cast<long long>(year), month, mday,
                    static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                    static_cast<int>(seconds % 60));
}

double RemoveDateFromText(std::string_view text) {
  const std::size_t t = text.find('T');
  const std::string day_part(text.substr(0, t));
  const std::string time_part(t == std::string_view::npos ? "" : text.substr(t + 1));
  long long year = 0;
  unsigned month = 0, mday = 0;
  if (std::sscanf(day_part.c_str(), "%lld-%u-%u", &year, &month, &mday) != 3 || month < 1 ||
      month > 12 || mday < 1 || mday > 31) {
    return 0.0;
  }
  int hour = 0, minute = 0, second = 0;
  (void)std::sscanf(time_part.c_str(), "%d:%d:%d", &hour, &minute, &second);
  const double day =
      static_cast<double>(DaysFromCivil(year, month, mday) - kDaysFrom1970To1899);
  const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return day < 0 ? day - fraction : day + fraction;
}

std::string ObjectTypeText(std::int32_t mask) {
  std::string text;
  for (const ObjectTypeName& name : kGroupObjectTypeNames) {
    if ((mask & name.bit) == 0) continue;
    if (!text.empty()) text += '|';
    text += name.name;
  }
  return text;
}

std::int32_t ObjectTypeFromText(std::optional<std::string_view> text) {
  if (!text || *text == "*") return kDefaultGroupObjectType;
  std::int32_t mask = 0;
  std::size_t start = 0;
  while (start <= text->size()) {
    const std::size_t bar = text->find('|', start);
    const std::string_view part = text->substr(start, bar == std::string_view::npos ? bar : bar - start);
    for (const ObjectTypeName& name : kGroupObjectTypeNames) {
      if (name.name == part) mask |= name.bit;
    }
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return mask;
}

// --- application groups ---

HRESULT AppGroupSection::StartElement(SectionReadContext& context, std::string_view name,
                                      std::string_view parent, const SaxAttributes& attributes,
                                      bool* handled) {
  if (name == kGroup && parent == kGroupList) {
    *handled = true;
    group_.Reset();
    std::optional<std::string_view> id = attributes.Find("id");
    if (!id) return context.Fail(kMsgMissingAttribute, kMissingGroupId);
    ComPtr<CAppGroup> group = list()->NewItem();
    group->set_texts(*id, attributes.Find("desc").value_or(""),
                     attributes.Find("uiflags").value_or(""));
    group->set_object_type(ObjectTypeFromText(attributes.Find("ot")));
    group_ = std::move(group);
  } else if (name == kLabelID && parent == kGroup && group_) {
    *handled = true;
    ref_flags_ = static_cast<std::uint32_t>(ReadDecimal(attributes.Find("appflags").value_or("")));
    std::optional<std::string_view> date = attributes.Find("removeDate");
    ref_date_ = date ? RemoveDateFromText(*date) : 0.0;
  }
  return S_OK;
}

HRESULT AppGroupSection::EndElement(SectionReadContext&, std::string_view name,
                                    std::string_view parent, std::string_view text) {
  if (name == kGroup && parent == kGroupList) {
    ComPtr<CAppGroup> group = std::move(group_);
    return group ? list()->Insert(group.get()) : S_OK;
  }
  if (name == kLabelID && group_ && !text.empty()) {
    // Kept whether or not its label exists (see the header).
    ComPtr<CRefLabel> reference = group_->references()->NewItem();
    reference->set_fields(text, ref_flags_, ref_date_);
    return group_->references()->InsertLoaded(reference.get(), reference->key());
  }
  return S_OK;
}

HRESULT AppGroupSection::Write(XmlWriter& writer) {
  RETURN_IF_FAILED(writer.StartElement(kGroupList));
  for (const CAppGroup* group : *list()) {
    attributes_.Clear();
    attributes_.Add("id", group->id());
    if (group->object_type() != kDefaultGroupObjectType) {
      attributes_.Add("ot", ObjectTypeText(group->object_type()));
    }
    if (!group->description().empty()) attributes_.Add("desc", group->description());
    if (!group->ui_flags().empty()) attributes_.Add("uiflags", group->ui_flags());
    RETURN_IF_FAILED(writer.StartElement(kGroup, attributes_));
    for (const CRefLabel* reference : *group->references()) {
      attributes_.Clear();
      if (reference->app_flags() != 0) {
        attributes_.AddInt("appflags", static_cast<std::int32_t>(reference->app_flags()));
      }
      if (reference->remove_date() != 0.0) {
        attributes_.Add("removeDate", RemoveDateText(reference->remove_date()));
      }
      RETURN_IF_FAILED(writer.StartElement(kLabelID, attributes_));
      RETURN_IF_FAILED(writer.Characters(reference->content()));
      RETURN_IF_FAILED(writer.EndElement(kLabelID));
    }
    RETURN_IF_FAILED(writer.EndElement(kGroup));
  }
  return writer.EndElement(kGroupList);
}

void AppGroupSection::Clear() {
  group_.Reset();
  (void)list()->Clear();
}

// --- DLL groups ---

HRESULT DllGroupSection::StartElement(SectionReadContext& context, std::string_view name,
                                      std::string_view parent, const SaxAttributes& attributes,
                                      bool* handled) {
  if (name == kDllGroup && parent == kDllGroupList) {
    *handled = true;
    group_.Reset();
    std::optional<std::string_view> id = attributes.Find("id");
    if (!id) return context.Fail(kMsgMissingAttribute, kMissingDllGroupId);
    ComPtr<CDllGroup> group = list()->NewItem();
    group->set_texts(*id, attributes.Find("desc").value_or(""),
                     attributes.Find("uiflags").value_or(""));
    group_ = std::move(group);
  } else if (name == kDllLabelID && parent == kDllGroup && group_) {
    *handled = true;
  }
  return S_OK;
}

HRESULT DllGroupSection::EndElement(SectionReadContext&, std::string_view name,
                                    std::string_view parent, std::string_view text) {
  if (name == kDllGroup && parent == kDllGroupList) {
    ComPtr<CDllGroup> group = std::move(group_);
    return group ? list()->Insert(group.get()) : S_OK;
  }
  if (name == kDllLabelID && group_ && !text.empty()) {
    ComPtr<CRefDllLabel> reference = group_->references()->NewItem();
    reference->set_content(text);
    return group_->references()->Insert(reference.get());
  }
  return S_OK;
}

HRESULT DllGroupSection::Write(XmlWriter& writer) {
  RETURN_IF_FAILED(writer.StartElement(kDllGroupList));
  for (const CDllGroup* group : *list()) {
    attributes_.Clear();
    attributes_.Add("id", group->id());
    if (!group->description().empty()) attributes_.Add("desc", group->description());
    if (!group->ui_flags().empty()) attributes_.Add("uiflags", group->ui_flags());
    RETURN_IF_FAILED(writer.StartElement(kDllGroup, attributes_));
    for (const CRefDllLabel* reference : *group->references()) {
      RETURN_IF_FAILED(writer.StartElement(kDllLabelID));
      RETURN_IF_FAILED(writer.Characters(reference->content()));
      RETURN_IF_FAILED(writer.EndElement(kDllLabelID));
    }
    RETURN_IF_FAILED(writer.EndElement(kDllGroup));
  }
  return writer.EndElement(kDllGroupList);
}

void DllGroupSection::Clear() {
  group_.Reset();
  (void)list()->Clear();
}

}  // namespace xmlsecdb
