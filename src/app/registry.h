// A small view of a hierarchical registry (keys holding named, typed
// values), so the settings rules can run against the Windows registry in the
// program and against an in-memory one in tests. Names and texts are UTF-8;
// the Windows backend converts them to UTF-16.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ksv {

// The two predefined roots the program touches.
enum class RegRoot { LocalMachine, CurrentUser };

// What a stored value holds. Everything that is neither a string nor a
// 32-bit integer (binary data, 64-bit integers, string lists...) is Other:
// the program never writes such values and treats them as the wrong type.
enum class RegType { String, ExpandString, Integer, Other };

struct RegValue {
  RegType type = RegType::String;
  std::string text;        // String and ExpandString
  std::int32_t integer{};  // Integer (a DWORD read as signed)

  static RegValue MakeString(std::string s) { return {RegType::String, std::move(s), 0}; }
  static RegValue MakeInteger(std::int32_t v) { return {RegType::Integer, {}, v}; }
  static RegValue MakeOther() { return {RegType::Other, {}, 0}; }
  bool operator==(const RegValue&) const = default;
};

// One open key. Destroying it closes the key. Key and value names compare
// without regard to ASCII case, as in the Windows registry.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  virtual bool HasValue(std::string_view name) = 0;
  // The value, or nothing when the key holds no value of that name.
  virtual std::optional<RegValue> Query(std::string_view name) = 0;
  // Both setters replace a value of any type. False when the system refused.
  virtual bool SetString(std::string_view name, std::string_view text) = 0;
  virtual bool SetInteger(std::string_view name, std::int32_t value) = 0;
  // True when the value is gone afterwards, also when there was none.
  virtual bool DeleteValue(std::string_view name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens `path` (parts separated by backslashes; empty = the root itself)
  // with full access. With `create` a missing key is created together with
  // its missing parents; without it a missing key is a failure (nullptr).
  virtual std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path, bool create) = 0;
};

}  // namespace ksv
