// The checks the option pages apply while the user types, as plain
// functions: each says what the control's text becomes and which message
// to show, and the page only carries that out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ksv {

inline constexpr int kDefaultFixedWidth = 600;
inline constexpr int kDefaultFixedHeight = 400;
inline constexpr std::string_view kDefaultNameTemplate = "截图";
inline constexpr std::string_view kSizeMessage = "请输入大于1的数";

struct FieldCheck {
  // The text to put into the control, when it has to change. Putting it
  // there runs the check again, which then passes.
  std::optional<std::string> new_text;
  // The message to show after the change.
  std::optional<std::string> message;
  // The message is an error report (the program's standard error box)
  // rather than a plain message box.
  bool is_error = false;
};

// `DelayTimeCapKeyPress`: only the digits and Enter get through; Backspace
// is discarded like any other character.
bool IsDelayKeyAllowed(char16_t ch);

// `DelayTimeCapChange`: 61 or more becomes "60", below 1 becomes "1"; a
// text that is not a number is left alone and reported as a conversion
// error.
FieldCheck CheckDelayText(std::string_view text);

// The value of a spin edit: its text as a number, 0 when it is not one.
int SpinEditValue(std::string_view text);

// `WidthValueChange` / `HeightValueChange`: a value below 1 (an empty or
// non-numeric text counts as 0) is reset to `default_value` with the
// message "请输入大于1的数". A size of exactly 1 is accepted.
FieldCheck CheckSizeText(std::string_view text, int default_value);

// `FNameTempChange`: an empty template is replaced by "截图".
FieldCheck CheckNameTemplate(std::string_view text);

// `JpgCompTrackBarChange`: the caption of `JpgComp`, e.g. "压缩比：80%".
std::string JpgCompCaption(int position);

}  // namespace ksv
