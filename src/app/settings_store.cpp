#include "app/settings_store.h"

#include <limits>

namespace ksv {

namespace {

std::string Quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

[[noreturn]] void InvalidType(std::string_view name) {
  throw RegistryError("Invalid data type for " + Quoted(name));
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  // Accumulated as a negative number so that the most negative value fits.
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 - (c - '0');
    if (value < std::numeric_limits<std::int32_t>::min()) return std::nullopt;
  }
  if (!negative) {
    value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::string_view text) {
  if (const auto v = TryStrToInt(text)) return *v;
  throw ConversionError(Quoted(text) + " is not a valid integer value");
}

bool SettingKeyExists(Registry& reg, RegRoot root, std::string_view key, bool create) {
  return reg.OpenKey(root, key, create) != nullptr;
}

bool SettingValueExists(Registry& reg, RegRoot root, std::string_view key, bool create,
                        std::string_view name) {
  const auto k = reg.OpenKey(root, key, create);
  return k && k->HasValue(name);
}

void ReadSetting(Registry& reg, RegRoot root, std::string_view key, bool create, std::string_view name,
                 SettingKind kind, std::string& text) {
  const auto k = reg.OpenKey(root, key, create);
  if (!k) return;
  const auto value = k->Query(name);
  if (!value) return;
  switch (kind) {
    case SettingKind::Integer:
      if (value->type != RegType::Integer) InvalidType(name);
      text = std::to_string(value->integer);
      break;
    case SettingKind::String:
      if (value->type != RegType::String && value->type != RegType::ExpandString) InvalidType(name);
      text = value->text;
      break;
  }
}

std::string ReadSettingText(Registry& reg, RegRoot root, std::string_view key, bool create,
                            std::string_view name, SettingKind kind) {
  std::string text;
  ReadSetting(reg, root, key, create, name, kind, text);
  return text;
}

void WriteSetting(Registry& reg, RegRoot root, std::string_view key, bool create, std::string_view name,
                  SettingKind kind, std::string_view text) {
  const auto k = reg.OpenKey(root, key, create);
  if (!k) return;
  bool stored = true;
  switch (kind) {
    case SettingKind::Integer:
      stored = k->SetInteger(name, StrToInt(text));
      break;
    case SettingKind::String:
      stored = k->SetString(name, text);
      break;
  }
  // The key opened with full access, so a refusal here is rare; it must
  // not pass for a stored setting all the same.
  if (!stored) throw RegistryError("Failed to set data for " + Quoted(name));
}

void DeleteSetting(Registry& reg, RegRoot root, std::string_view key, bool create, std::string_view name) {
  if (const auto k = reg.OpenKey(root, key, create)) k->DeleteValue(name);
}

}  // namespace ksv
