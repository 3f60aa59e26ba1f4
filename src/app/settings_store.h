// The five settings-store operations. Each opens its key afresh, does one
// thing and closes the key again; nothing stays open between calls.
// Failures to open a key are not reported: a read leaves its text alone,
// a write or a deletion does nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/registry.h"

namespace ksv {

// How a setting is held: Integer as a 32-bit registry integer that the
// program handles as its decimal text, String as a registry string.
enum class SettingKind : int { Integer = 0, String = 1 };

// "Invalid data type for '<name>'": the stored value is not of the kind
// asked for. Also raised when the system refuses to store a value.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "'<text>' is not a valid integer value".
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Strict conversion: decimal digits with an optional sign, nothing else
// (no blanks), within the signed 32-bit range.
std::optional<std::int32_t> TryStrToInt(std::string_view text);
// As TryStrToInt, raising ConversionError for a text that does not convert.
std::int32_t StrToInt(std::string_view text);

bool SettingKeyExists(Registry& reg, RegRoot root, std::string_view key, bool create);
bool SettingValueExists(Registry& reg, RegRoot root, std::string_view key, bool create,
                        std::string_view name);

// When the key opens and holds the value, `text` becomes the value (an
// Integer in signed decimal). Otherwise, or for a kind other than the two,
// `text` is left as passed. A stored value of the other type raises
// RegistryError.
void ReadSetting(Registry& reg, RegRoot root, std::string_view key, bool create, std::string_view name,
                 SettingKind kind, std::string& text);
// ReadSetting starting from an empty text, so a missing value reads as "".
std::string ReadSettingText(Registry& reg, RegRoot root, std::string_view key, bool create,
                            std::string_view name, SettingKind kind);

// When the key opens, stores `text` as the kind says; an Integer text that
// does not convert raises ConversionError and stores nothing.
void WriteSetting(Registry& reg, RegRoot root, std::string_view key, bool create, std::string_view name,
                  SettingKind kind, std::string_view text);

// When the key opens, deletes the value; a missing value is no error.
void DeleteSetting(Registry& reg, RegRoot root, std::string_view key, bool create, std::string_view name);

}  // namespace ksv
