// Behaviour every Registry backend must show through the five settings
// operations. Included once by the in-memory registry's tests and once by
// the Windows registry's tests under Wine, so both backends are held to the
// same cases and the in-memory one cannot drift from the real registry.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/registry.h"
#include "app/settings_store.h"

namespace ksv::contract {

// One backend prepared for a test: a registry and a key path that does not
// exist yet, under which the test may do anything.
class RegistryBench {
 public:
  virtual ~RegistryBench() = default;
  virtual Registry& registry() = 0;
  virtual std::string Base() const = 0;
  // Stores a value of a type the program itself never writes:
  // ExpandString with `text`, or Other (binary data).
  virtual void PutRaw(RegRoot root, std::string_view path, std::string_view name, RegType type,
                      std::string_view text) = 0;
};

using BenchFactory = std::function<std::unique_ptr<RegistryBench>()>;

class RegistryContract : public ::testing::TestWithParam<BenchFactory> {
 protected:
  void SetUp() override {
    bench_ = GetParam()();
    base_ = bench_->Base();
  }

  Registry& reg() { return bench_->registry(); }
  std::string Key(std::string_view sub) const { return base_ + "\\" + std::string(sub); }
  std::string Read(std::string_view key, std::string_view name, SettingKind kind, std::string start = "") {
    ReadSetting(reg(), root_, key, false, name, kind, start);
    return start;
  }

  std::unique_ptr<RegistryBench> bench_;
  std::string base_;
  RegRoot root_ = RegRoot::LocalMachine;
};

// Expects `f` to raise exactly `E` with exactly `message`.
template <typename E, typename F>
void ExpectError(F f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no error, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(e.what(), message);
  }
}

TEST_P(RegistryContract, MissingKeyOpensOnlyWithTheCreateFlag) {
  const std::string key = Key("Settings\\High");
  EXPECT_FALSE(SettingKeyExists(reg(), root_, key, false));
  EXPECT_FALSE(SettingValueExists(reg(), root_, key, false, "Quit"));
  EXPECT_EQ(Read(key, "Quit", SettingKind::Integer, "kept"), "kept");
  EXPECT_EQ(Read(key, "Quit", SettingKind::String, "kept"), "kept");
  WriteSetting(reg(), root_, key, false, "Quit", SettingKind::Integer, "1");
  DeleteSetting(reg(), root_, key, false, "Quit");
  EXPECT_FALSE(SettingKeyExists(reg(), root_, key, false)) << "writes without the flag create nothing";
  EXPECT_FALSE(SettingKeyExists(reg(), root_, Key("Settings"), false));

  // One write with the flag creates the key and its missing parent.
  WriteSetting(reg(), root_, key, true, "Quit", SettingKind::Integer, "1");
  EXPECT_TRUE(SettingKeyExists(reg(), root_, Key("Settings"), false));
  EXPECT_TRUE(SettingKeyExists(reg(), root_, key, false));
  EXPECT_EQ(Read(key, "Quit", SettingKind::Integer), "1");

  // Reads and tests with the flag create their key too.
  EXPECT_FALSE(SettingValueExists(reg(), root_, Key("Other"), true, "X"));
  EXPECT_TRUE(SettingKeyExists(reg(), root_, Key("Other"), false));
  std::string text;
  ReadSetting(reg(), root_, Key("Third"), true, "X", SettingKind::String, text);
  EXPECT_TRUE(SettingKeyExists(reg(), root_, Key("Third"), false));
  EXPECT_EQ(text, "");
}

TEST_P(RegistryContract, ValuesReadBackInTheirKind) {
  struct Case {
    SettingKind kind;
    std::string written;
    std::string read;
  } cases[] = {
      {SettingKind::Integer, "0", "0"},
      {SettingKind::Integer, "3000", "3000"},
      {SettingKind::Integer, "+7", "7"},
      {SettingKind::Integer, "007", "7"},
      {SettingKind::Integer, "-1", "-1"},
      {SettingKind::Integer, "2147483647", "2147483647"},
      {SettingKind::Integer, "-2147483648", "-2147483648"},
      {SettingKind::String, "", ""},
      {SettingKind::String, "600", "600"},
      {SettingKind::String, "截图", "截图"},
      {SettingKind::String, "\"C:\\Program Files\\万象\\KSV.exe\" s",
       "\"C:\\Program Files\\万象\\KSV.exe\" s"},
  };
  const std::string key = Key("Values");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    WriteSetting(reg(), root_, key, true, "V", c.kind, c.written);
    EXPECT_TRUE(SettingValueExists(reg(), root_, key, false, "V"));
    EXPECT_EQ(Read(key, "V", c.kind, "old"), c.read);
  }
}

TEST_P(RegistryContract, MissingValueLeavesTheText) {
  const std::string key = Key("Save");
  WriteSetting(reg(), root_, key, true, "Dir", SettingKind::String, "D:\\Pictures");
  EXPECT_FALSE(SettingValueExists(reg(), root_, key, false, "Temp"));
  EXPECT_EQ(Read(key, "Temp", SettingKind::String, "kept"), "kept");
  EXPECT_EQ(Read(key, "Temp", SettingKind::Integer, "kept"), "kept");
  EXPECT_EQ(Read(key, "Temp", SettingKind::String), "");
}

TEST_P(RegistryContract, ReadingTheOtherTypeRaises) {
  const std::string key = Key("Types");
  WriteSetting(reg(), root_, key, true, "Quit", SettingKind::String, "0");
  WriteSetting(reg(), root_, key, true, "Delay", SettingKind::Integer, "0");
  bench_->PutRaw(root_, key, "Blob", RegType::Other, "");
  bench_->PutRaw(root_, key, "Expand", RegType::ExpandString, "%USERPROFILE%\\截图");

  std::string text = "kept";
  ExpectError<RegistryError>(
      [&] { ReadSetting(reg(), root_, key, false, "Quit", SettingKind::Integer, text); },
      "Invalid data type for 'Quit'");
  EXPECT_EQ(text, "kept");
  ExpectError<RegistryError>(
      [&] { ReadSetting(reg(), root_, key, false, "Delay", SettingKind::String, text); },
      "Invalid data type for 'Delay'");
  for (const auto kind : {SettingKind::Integer, SettingKind::String})
    ExpectError<RegistryError>([&] { ReadSetting(reg(), root_, key, false, "Blob", kind, text); },
                               "Invalid data type for 'Blob'");
  EXPECT_EQ(text, "kept");
  // An expandable string is a string, taken as stored.
  EXPECT_EQ(Read(key, "Expand", SettingKind::String), "%USERPROFILE%\\截图");
  ExpectError<RegistryError>([&] { Read(key, "Expand", SettingKind::Integer); },
                             "Invalid data type for 'Expand'");
}

TEST_P(RegistryContract, IntegerWriteRejectsTextsThatAreNoNumber) {
  const std::string key = Key("Numbers");
  WriteSetting(reg(), root_, key, true, "Delay", SettingKind::Integer, "5000");
  for (const std::string text : {"", "abc", "1.5", "12x", " 1", "1 ", "+", "-", "0x10", "2147483648",
                                 "-2147483649", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    ExpectError<ConversionError>(
        [&] { WriteSetting(reg(), root_, key, true, "Delay", SettingKind::Integer, text); },
        "'" + text + "' is not a valid integer value");
    EXPECT_EQ(Read(key, "Delay", SettingKind::Integer), "5000") << "the stored value stays";
  }
}

TEST_P(RegistryContract, WriteReplacesAValueOfTheOtherType) {
  const std::string key = Key("Replace");
  WriteSetting(reg(), root_, key, true, "Quit", SettingKind::String, "abc");
  WriteSetting(reg(), root_, key, true, "Quit", SettingKind::Integer, "1");
  EXPECT_EQ(Read(key, "Quit", SettingKind::Integer), "1");
  WriteSetting(reg(), root_, key, true, "Quit", SettingKind::String, "x");
  EXPECT_EQ(Read(key, "Quit", SettingKind::String), "x");
}

TEST_P(RegistryContract, DeleteRemovesOnlyThatValue) {
  const std::string key = Key("Run");
  WriteSetting(reg(), root_, key, true, "KSV", SettingKind::String, "a");
  WriteSetting(reg(), root_, key, true, "Other", SettingKind::String, "b");
  DeleteSetting(reg(), root_, key, false, "KSV");
  EXPECT_FALSE(SettingValueExists(reg(), root_, key, false, "KSV"));
  EXPECT_EQ(Read(key, "Other", SettingKind::String), "b");
  DeleteSetting(reg(), root_, key, false, "KSV");  // already gone: no error
  EXPECT_TRUE(SettingKeyExists(reg(), root_, key, false)) << "the key stays";
}

TEST_P(RegistryContract, NamesIgnoreCase) {
  WriteSetting(reg(), root_, Key("Settings\\Conventional"), true, "Sound", SettingKind::String, "1");
  std::string upper = base_ + "\\SETTINGS\\conventional";
  EXPECT_TRUE(SettingKeyExists(reg(), root_, upper, false));
  EXPECT_EQ(Read(upper, "SOUND", SettingKind::String), "1");
  WriteSetting(reg(), root_, upper, true, "sound", SettingKind::String, "0");
  EXPECT_EQ(Read(Key("Settings\\Conventional"), "Sound", SettingKind::String), "0") << "one value, replaced";
}

TEST_P(RegistryContract, RootsAreSeparate) {
  const std::string key = Key("Shell Folders");
  WriteSetting(reg(), RegRoot::CurrentUser, key, true, "Personal", SettingKind::String, "C:\\文档");
  EXPECT_FALSE(SettingKeyExists(reg(), RegRoot::LocalMachine, key, false));
  EXPECT_EQ(ReadSettingText(reg(), RegRoot::CurrentUser, key, false, "Personal", SettingKind::String),
            "C:\\文档");
}

TEST_P(RegistryContract, UnknownKindTouchesNothing) {
  const std::string key = Key("Kinds");
  WriteSetting(reg(), root_, key, true, "V", SettingKind::String, "s");
  const auto unknown = static_cast<SettingKind>(2);
  EXPECT_EQ(Read(key, "V", unknown, "kept"), "kept");
  WriteSetting(reg(), root_, key, true, "W", unknown, "1");
  EXPECT_FALSE(SettingValueExists(reg(), root_, key, false, "W"));
}

TEST_P(RegistryContract, PathSpelling) {
  WriteSetting(reg(), root_, Key("A\\B"), true, "V", SettingKind::String, "1");
  // A leading backslash names no key, not even with the create flag.
  EXPECT_FALSE(SettingKeyExists(reg(), root_, "\\" + Key("A\\B"), false));
  EXPECT_FALSE(SettingKeyExists(reg(), root_, "\\" + Key("C"), true));
  EXPECT_FALSE(SettingKeyExists(reg(), root_, Key("C"), false));
  // Trailing and doubled backslashes are passed over.
  EXPECT_EQ(Read(Key("A\\B\\"), "V", SettingKind::String), "1");
  EXPECT_EQ(Read(Key("A\\\\B"), "V", SettingKind::String), "1");
}

}  // namespace ksv::contract
