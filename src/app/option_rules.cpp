#include "app/option_rules.h"

#include "app/settings_store.h"

namespace ksv {

bool IsDelayKeyAllowed(char16_t ch) { return (ch >= u'0' && ch <= u'9') || ch == u'\r'; }

FieldCheck CheckDelayText(std::string_view text) {
  FieldCheck result;
  try {
    const int seconds = StrToInt(text);
    if (seconds >= 61)
      result.new_text = "60";
    else if (seconds < 1)
      result.new_text = "1";
  } catch (const ConversionError& e) {
    result.message = e.what();
    result.is_error = true;
  }
  return result;
}

int SpinEditValue(std::string_view text) { return TryStrToInt(text).value_or(0); }

FieldCheck CheckSizeText(std::string_view text, int default_value) {
  FieldCheck result;
  if (SpinEditValue(text) < 1) {
    result.new_text = std::to_string(default_value);
    result.message = std::string(kSizeMessage);
  }
  return result;
}

FieldCheck CheckNameTemplate(std::string_view text) {
  FieldCheck result;
  if (text.empty()) result.new_text = std::string(kDefaultNameTemplate);
  return result;
}

std::string JpgCompCaption(int position) { return "压缩比：" + std::to_string(position) + "%"; }

}  // namespace ksv
