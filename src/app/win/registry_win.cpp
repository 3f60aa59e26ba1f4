#include "app/win/registry_win.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/text.h"
#include "ui/controls.h"

namespace ksv {

namespace {

using ui::Wide;

std::string Narrow(const wchar_t* s, std::size_t n) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(s), n));
}

HKEY RootHandle(RegRoot root) {
  return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class WinKey : public RegistryKey {
 public:
  explicit WinKey(HKEY key) : key_(key) {}
  ~WinKey() override { RegCloseKey(key_); }
  WinKey(const WinKey&) = delete;
  WinKey& operator=(const WinKey&) = delete;

  bool HasValue(std::string_view name) override {
    return RegQueryValueExW(key_, Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }

  std::optional<RegValue> Query(std::string_view name) override {
    const std::wstring wname = Wide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    // The value may grow between the two calls; ask again until it fits.
    std::vector<BYTE> data;
    do {
      data.resize(size + sizeof(wchar_t));
      size = static_cast<DWORD>(data.size());
      rc = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, data.data(), &size);
    } while (rc == ERROR_MORE_DATA);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);

    switch (type) {
      case REG_DWORD:
        if (size != sizeof(DWORD)) return RegValue::MakeOther();
        {
          DWORD v = 0;
          memcpy(&v, data.data(), sizeof v);
          return RegValue::MakeInteger(static_cast<std::int32_t>(v));
        }
      case REG_SZ:
      case REG_EXPAND_SZ: {
        // Stored strings need not end in a terminator, and some hold text
        // after one; the value is what comes before the first.
        std::vector<wchar_t> chars(data.size() / sizeof(wchar_t));
        if (!chars.empty()) memcpy(chars.data(), data.data(), chars.size() * sizeof(wchar_t));
        std::size_t n = 0;
        while (n < chars.size() && chars[n] != L'\0') ++n;
        RegValue v = RegValue::MakeString(Narrow(chars.data(), n));
        if (type == REG_EXPAND_SZ) v.type = RegType::ExpandString;
        return v;
      }
      default:
        return RegValue::MakeOther();
    }
  }

  bool SetString(std::string_view name, std::string_view text) override {
    const std::wstring w = Wide(text);
    const DWORD bytes = static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                          bytes) == ERROR_SUCCESS;
  }

  bool SetInteger(std::string_view name, std::int32_t value) override {
    const DWORD v = static_cast<DWORD>(value);
    return RegSetValueExW(key_, Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                          sizeof v) == ERROR_SUCCESS;
  }

  bool DeleteValue(std::string_view name) override {
    const LONG rc = RegDeleteValueW(key_, Wide(name).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
  }

 private:
  HKEY key_;  // owned; closed with the object
};

}  // namespace

std::unique_ptr<RegistryKey> WindowsRegistry::OpenKey(RegRoot root, std::string_view path, bool create) {
  const std::wstring wpath = Wide(path);
  HKEY key = nullptr;
  const LONG rc = create ? RegCreateKeyExW(RootHandle(root), wpath.c_str(), 0, nullptr,
                                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                         : RegOpenKeyExW(RootHandle(root), wpath.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (rc != ERROR_SUCCESS) return nullptr;
  return std::make_unique<WinKey>(key);
}

WindowsRegistry& SystemRegistry() {
  static WindowsRegistry registry;
  return registry;
}

}  // namespace ksv
