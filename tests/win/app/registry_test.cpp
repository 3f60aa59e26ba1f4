// The Windows registry backend against Wine's real registry. Every test
// works under a key of its own that is deleted afterwards, so the program's
// settings in the prefix are never touched.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "../../unit/app/registry_contract.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "app/win/registry_win.h"
#include "core/text.h"

namespace ksv {
namespace {

std::wstring Wide(std::string_view s) {
  const std::u16string w = Utf8ToUtf16(s);
  return std::wstring(w.begin(), w.end());
}

HKEY Root(RegRoot root) { return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

std::string UniqueBase() {
  static std::atomic<int> counter{0};
  return "SOFTWARE\\KSVRegistryTest-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++counter);
}

// A raw value as the system stores it, read past the backend.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

std::optional<RawValue> QueryRaw(RegRoot root, std::string_view path, std::string_view name) {
  HKEY key;
  if (RegOpenKeyExW(Root(root), Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  RawValue v;
  DWORD size = 0;
  std::optional<RawValue> result;
  if (RegQueryValueExW(key, Wide(name).c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.bytes.resize(size);
    if (RegQueryValueExW(key, Wide(name).c_str(), nullptr, &v.type, v.bytes.data(), &size) == ERROR_SUCCESS)
      result = v;
  }
  RegCloseKey(key);
  return result;
}

void SetRaw(RegRoot root, std::string_view path, std::string_view name, DWORD type, const void* data,
            DWORD size) {
  HKEY key;
  ASSERT_EQ(
      RegCreateKeyExW(Root(root), Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

std::vector<BYTE> Utf16Bytes(const std::wstring& s, bool terminated) {
  const auto* p = reinterpret_cast<const BYTE*>(s.c_str());
  return std::vector<BYTE>(p, p + (s.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
}

// Deletes the test's key in both roots when the test ends.
class ScopedTestKey {
 public:
  ScopedTestKey() : base_(UniqueBase()) {}
  ~ScopedTestKey() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(root, Wide(base_).c_str());
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteKeyW(root, Wide(base_).c_str());
  }
  ScopedTestKey(const ScopedTestKey&) = delete;
  ScopedTestKey& operator=(const ScopedTestKey&) = delete;
  const std::string& base() const { return base_; }

 private:
  std::string base_;
};

class WindowsBench : public contract::RegistryBench {
 public:
  Registry& registry() override { return SystemRegistry(); }
  std::string Base() const override { return key_.base(); }
  void PutRaw(RegRoot root, std::string_view path, std::string_view name, RegType type,
              std::string_view text) override {
    if (type == RegType::Other) {
      const BYTE blob[] = {1, 2, 3};
      SetRaw(root, path, name, REG_BINARY, blob, sizeof blob);
    } else {
      const auto bytes = Utf16Bytes(Wide(text), true);
      SetRaw(root, path, name, type == RegType::ExpandString ? REG_EXPAND_SZ : REG_SZ, bytes.data(),
             static_cast<DWORD>(bytes.size()));
    }
  }

 private:
  ScopedTestKey key_;
};

using contract::RegistryContract;
INSTANTIATE_TEST_SUITE_P(Windows, RegistryContract,
                         ::testing::Values([] { return std::make_unique<WindowsBench>(); }));

class WindowsRegistryTest : public ::testing::Test {
 protected:
  std::string Key(std::string_view sub) const { return key_.base() + "\\" + std::string(sub); }
  ScopedTestKey key_;
  RegRoot lm_ = RegRoot::LocalMachine;
};

TEST_F(WindowsRegistryTest, KindsAreStoredAsDwordAndWideString) {
  const std::string key = Key("Conventional");
  WriteSetting(SystemRegistry(), lm_, key, true, "Delay", SettingKind::Integer, "-2");
  WriteSetting(SystemRegistry(), lm_, key, true, "Temp", SettingKind::String, "截图");

  const auto delay = QueryRaw(lm_, key, "Delay");
  ASSERT_TRUE(delay);
  EXPECT_EQ(delay->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(delay->bytes, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));

  const auto temp = QueryRaw(lm_, key, "Temp");
  ASSERT_TRUE(temp);
  EXPECT_EQ(temp->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(temp->bytes, Utf16Bytes(L"截图", true)) << "UTF-16 with its terminator";
}

TEST_F(WindowsRegistryTest, StringsEndAtTheFirstTerminatorOrTheData) {
  const std::string key = Key("Strings");
  const auto unterminated = Utf16Bytes(L"图片", false);
  SetRaw(lm_, key, "Open", REG_SZ, unterminated.data(), static_cast<DWORD>(unterminated.size()));
  const std::wstring two(L"ab\0cd", 5);
  const auto inner = Utf16Bytes(two, true);
  SetRaw(lm_, key, "Inner", REG_SZ, inner.data(), static_cast<DWORD>(inner.size()));
  SetRaw(lm_, key, "Empty", REG_SZ, nullptr, 0);
  const DWORD all_bits = 0xFFFFFFFF;
  SetRaw(lm_, key, "Bits", REG_DWORD, &all_bits, sizeof all_bits);
  const BYTE short_dword[] = {1, 0};
  SetRaw(lm_, key, "Short", REG_DWORD, short_dword, sizeof short_dword);

  Registry& reg = SystemRegistry();
  EXPECT_EQ(ReadSettingText(reg, lm_, key, false, "Open", SettingKind::String), "图片");
  EXPECT_EQ(ReadSettingText(reg, lm_, key, false, "Inner", SettingKind::String), "ab");
  EXPECT_EQ(ReadSettingText(reg, lm_, key, false, "Empty", SettingKind::String), "");
  EXPECT_EQ(ReadSettingText(reg, lm_, key, false, "Bits", SettingKind::Integer), "-1");
  EXPECT_THROW(ReadSettingText(reg, lm_, key, false, "Short", SettingKind::Integer), RegistryError);
}

TEST_F(WindowsRegistryTest, LongStringsReadWhole) {
  const std::string key = Key("Long");
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "目录\\";
  WriteSetting(SystemRegistry(), lm_, key, true, "Dir", SettingKind::String, text);
  EXPECT_EQ(ReadSettingText(SystemRegistry(), lm_, key, false, "Dir", SettingKind::String), text);
}

// Moves every key the settings use under the test's own key, so the whole
// first-run, load and save cycle runs on the real registry.
class RedirectedRegistry : public Registry {
 public:
  explicit RedirectedRegistry(std::string base) : base_(std::move(base)) {}
  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path, bool create) override {
    return SystemRegistry().OpenKey(root, base_ + "\\" + std::string(path), create);
  }

 private:
  std::string base_;
};

TEST_F(WindowsRegistryTest, SettingsSurviveARestart) {
  RedirectedRegistry reg(key_.base());
  const std::string run_key = key_.base() + "\\" + std::string(kRunKey);
  const std::string high_key = key_.base() + "\\" + std::string(kHighKey);
  // The system's Run key always exists; autostart only opens it.
  WriteSetting(SystemRegistry(), lm_, run_key, true, "Other", SettingKind::String, "x");
  WriteSetting(SystemRegistry(), RegRoot::CurrentUser, key_.base() + "\\" + std::string(kShellFoldersKey),
               true, kPersonalValue, SettingKind::String, "C:\\users\\me\\Documents");

  const std::string folder = "C:\\Program Files\\万象 快拍\\";
  ASSERT_TRUE(InitializeSettingsStore(reg, folder));
  ASSERT_FALSE(InitializeSettingsStore(reg, folder));
  EXPECT_EQ(QueryRaw(lm_, high_key, "Quit")->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadVersion(reg), "V1.6");

  Settings first;
  std::vector<std::string> messages;
  LoadSettings(reg, first, [&](const std::string& m) { messages.push_back(m); });
  EXPECT_EQ(first.save.SaveDir, "C:\\users\\me\\Documents");
  EXPECT_EQ(first.save.FNameTemp, "截图");
  EXPECT_FALSE(first.high.AutoStart);
  EXPECT_TRUE(messages.empty());

  first.conventional.DelayTime = true;
  first.conventional.DelayTimeCap = "3";
  first.conventional.WidthValue = "320";
  first.save.SaveDir = "D:\\截图";
  first.save.PicFormatRadioGroup = 3;
  first.high.AutoStart = true;
  first.high.QuitMain = 1;
  SaveConventionalPage(reg, first.conventional, first.fixed);
  SaveSavePage(reg, first.save);
  SaveHighPage(reg, first.high, folder);
  EXPECT_EQ(ReadSettingText(SystemRegistry(), lm_, run_key, false, "KSV", SettingKind::String),
            "\"C:\\Program Files\\万象 快拍\\KSV.exe\" s");

  Settings second;
  LoadSettings(reg, second, nullptr);
  EXPECT_TRUE(second.conventional.DelayTime);
  EXPECT_EQ(second.fixed.FixedWidth, 320);
  EXPECT_EQ(second.save.SaveDir, "D:\\截图");
  EXPECT_EQ(second.save.PicFormatRadioGroup, 3);
  EXPECT_TRUE(second.high.AutoStart);
  EXPECT_EQ(second.high.QuitMain, 1);
  EXPECT_TRUE(CloseRequestQuits(reg));

  second.high.AutoStart = false;
  SaveHighPage(reg, second.high, folder);
  EXPECT_FALSE(SettingValueExists(SystemRegistry(), lm_, run_key, false, "KSV"));
  EXPECT_TRUE(SettingValueExists(SystemRegistry(), lm_, run_key, false, "Other"));
}

TEST_F(WindowsRegistryTest, MissingCloseActionIsNoFirstRun) {
  RedirectedRegistry reg(key_.base());
  const std::string folder = "C:\\Program Files\\KSV\\";
  ASSERT_TRUE(InitializeSettingsStore(reg, folder));
  ConventionalPage general;
  general.OverSound = false;
  general.WidthValue = "320";
  FixedSize fixed;
  SaveConventionalPage(reg, general, fixed);
  SavePage save;
  save.PicFormatRadioGroup = 3;
  SaveSavePage(reg, save);
  HKEY high;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(Key(kHighKey)).c_str(), 0, KEY_ALL_ACCESS, &high),
            ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueW(high, L"Quit"), ERROR_SUCCESS);
  RegCloseKey(high);

  EXPECT_FALSE(InitializeSettingsStore(reg, folder));
  EXPECT_FALSE(SettingValueExists(reg, lm_, kHighKey, false, "Quit")) << "nothing written";
  const struct {
    std::string_view key, name, text;
  } kept[] = {{kConventionalKey, "Sound", "0"}, {kConventionalKey, "Width", "320"}, {kSaveKey, "Type", "3"}};
  for (const auto& k : kept)
    EXPECT_EQ(ReadSettingText(reg, lm_, k.key, false, k.name, SettingKind::String), k.text) << k.name;
}

}  // namespace
}  // namespace ksv
