#include "app/settings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "app/registry_memory.h"
#include "app/settings_store.h"

namespace ksv {

void PrintTo(const RegChange& c, std::ostream* os) {
  *os << (c.root == RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\") << c.path << " " << c.name << " = ";
  if (!c.value)
    *os << "(deleted)";
  else if (c.value->type == RegType::Integer)
    *os << c.value->integer;
  else
    *os << '"' << c.value->text << '"';
}

namespace {

constexpr RegRoot kLm = RegRoot::LocalMachine;
constexpr char kFolder[] = "C:\\Program Files\\KSV\\";
constexpr char kDocuments[] = "C:\\users\\me\\Documents";

RegChange Str(std::string_view key, std::string_view name, std::string_view text) {
  return {kLm, std::string(key), std::string(name), RegValue::MakeString(std::string(text))};
}
RegChange Int(std::string_view key, std::string_view name, int v) {
  return {kLm, std::string(key), std::string(name), RegValue::MakeInteger(v)};
}

const std::vector<RegChange> kFirstRunTable = {
    Str(kKsvKey, "Install_Dir", kFolder),
    Str(kKsvKey, "Ver", "V1.6"),
    Str(kConventionalKey, "Sound", "1"),
    Str(kConventionalKey, "Mouse", "1"),
    Str(kConventionalKey, "Hide", "1"),
    Int(kConventionalKey, "Delay", 0),
    Str(kConventionalKey, "Width", "600"),
    Str(kConventionalKey, "Height", "400"),
    Str(kSaveKey, "Comp", "80"),
    Str(kSaveKey, "Dir", ""),
    Str(kSaveKey, "Temp", "截图"),
    Str(kSaveKey, "Time", "0"),
    Str(kSaveKey, "Type", "1"),
    Int(kHighKey, "Quit", 0),
};

// Gives up, as a killed process would, when a given number of values has
// been written.
class CutShortRegistry : public Registry {
 public:
  CutShortRegistry(Registry& inner, int writes_left) : inner_(inner), writes_left_(writes_left) {}

  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::string_view path, bool create) override {
    auto key = inner_.OpenKey(root, path, create);
    if (!key) return nullptr;
    return std::make_unique<Key>(std::move(key), writes_left_);
  }

  struct Cut : std::runtime_error {
    Cut() : std::runtime_error("cut short") {}
  };

 private:
  class Key : public RegistryKey {
   public:
    Key(std::unique_ptr<RegistryKey> inner, int& writes_left)
        : inner_(std::move(inner)), left_(writes_left) {}
    bool HasValue(std::string_view name) override { return inner_->HasValue(name); }
    std::optional<RegValue> Query(std::string_view name) override { return inner_->Query(name); }
    bool SetString(std::string_view name, std::string_view text) override {
      Spend();
      return inner_->SetString(name, text);
    }
    bool SetInteger(std::string_view name, std::int32_t v) override {
      Spend();
      return inner_->SetInteger(name, v);
    }
    bool DeleteValue(std::string_view name) override {
      Spend();
      return inner_->DeleteValue(name);
    }

   private:
    void Spend() {
      if (left_-- <= 0) throw Cut();
    }
    std::unique_ptr<RegistryKey> inner_;
    int& left_;  // owned by the registry
  };

  Registry& inner_;
  int writes_left_;
};

class SettingsTest : public ::testing::Test {
 protected:
  // The store as the first run leaves it, with the user's shell folder and
  // the system's Run key present as on a real machine.
  void FirstRun() {
    reg_.Put(RegRoot::CurrentUser, kShellFoldersKey, kPersonalValue, RegValue::MakeString(kDocuments));
    reg_.Put(kLm, kRunKey, "Other", RegValue::MakeString("other.exe"));
    ASSERT_TRUE(InitializeSettingsStore(reg_, kFolder));
    reg_.ClearChanges();
  }

  void Load() {
    LoadSettings(reg_, settings_, [this](const std::string& m) { messages_.push_back(m); });
  }

  MemoryRegistry reg_;
  Settings settings_;
  std::vector<std::string> messages_;
};

TEST_F(SettingsTest, FirstRunWritesTheWholeTableInOrderOnce) {
  EXPECT_TRUE(InitializeSettingsStore(reg_, kFolder));
  EXPECT_EQ(reg_.Changes(), kFirstRunTable);
  EXPECT_FALSE(reg_.HasKey(kLm, kRunKey)) << "autostart stays off";

  reg_.ClearChanges();
  EXPECT_FALSE(InitializeSettingsStore(reg_, kFolder));
  EXPECT_TRUE(reg_.Changes().empty());
}

TEST_F(SettingsTest, FirstRunCutShortIsRepeatedInFullAtTheNextStart) {
  // The last write creates the key "High" before it stores "Quit": every
  // cut before that key exists leaves a first run to be repeated.
  const int before_high = static_cast<int>(kFirstRunTable.size()) - 1;
  for (int done = 0; done < before_high; ++done) {
    SCOPED_TRACE(done);
    MemoryRegistry reg;
    CutShortRegistry dying(reg, done);
    EXPECT_THROW(InitializeSettingsStore(dying, kFolder), CutShortRegistry::Cut);
    ASSERT_EQ(reg.Changes().size(), static_cast<std::size_t>(done));
    ASSERT_FALSE(reg.HasKey(kLm, kHighKey));

    reg.ClearChanges();
    EXPECT_TRUE(InitializeSettingsStore(reg, kFolder));
    EXPECT_EQ(reg.Changes(), kFirstRunTable);
  }
}

TEST_F(SettingsTest, FirstRunCutBetweenTheHighKeyAndQuitKeepsWhatWasWritten) {
  MemoryRegistry reg;
  CutShortRegistry dying(reg, static_cast<int>(kFirstRunTable.size()) - 1);
  EXPECT_THROW(InitializeSettingsStore(dying, kFolder), CutShortRegistry::Cut);
  ASSERT_TRUE(reg.HasKey(kLm, kHighKey));
  ASSERT_FALSE(reg.Value(kLm, kHighKey, "Quit"));
  reg.ClearChanges();
  EXPECT_FALSE(InitializeSettingsStore(reg, kFolder)) << "the key is there: no first run";
  EXPECT_TRUE(reg.Changes().empty());
}

// Every value of the table as it is stored now ("<missing>" for none).
std::vector<std::string> StoredTable(const MemoryRegistry& reg) {
  std::vector<std::string> stored;
  for (const RegChange& c : kFirstRunTable) {
    const std::optional<RegValue> v = reg.Value(c.root, c.path, c.name);
    stored.push_back(c.name + "=" +
                     (!v                            ? std::string("<missing>")
                      : v->type == RegType::Integer ? "int:" + std::to_string(v->integer)
                                                    : v->text));
  }
  return stored;
}

TEST_F(SettingsTest, MissingCloseActionNeverResetsTheStoredSettings) {
  FirstRun();
  // The user's own settings, each different from the first-run default.
  ConventionalPage general;
  general.OverSound = false;
  general.HideMainForm = false;
  general.WidthValue = "320";
  SaveConventionalPage(reg_, general, settings_.fixed);
  SavePage save;
  save.FNameTemp = "图片";
  save.SaveDir = "D:\\截图";
  save.PicFormatRadioGroup = 3;
  save.JpgCompTrackBar = 35;
  SaveSavePage(reg_, save);
  reg_.OpenKey(kLm, kHighKey, false)->DeleteValue("Quit");
  const std::vector<std::string> stored = StoredTable(reg_);
  reg_.ClearChanges();

  // The next start.
  EXPECT_FALSE(InitializeSettingsStore(reg_, kFolder));
  settings_ = Settings();
  try {
    Load();
  } catch (const ConversionError& e) {
    // The missing close action reads as empty, as any missing number does.
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_EQ(StoredTable(reg_), stored);
  EXPECT_TRUE(reg_.Changes().empty()) << "nothing is written over the user's settings";
  EXPECT_FALSE(settings_.conventional.OverSound);
  EXPECT_FALSE(settings_.conventional.HideMainForm);
  EXPECT_EQ(settings_.save.FNameTemp, "图片");
  EXPECT_EQ(settings_.save.SaveDir, "D:\\截图");
  EXPECT_EQ(settings_.save.PicFormatRadioGroup, 3);
  EXPECT_EQ(settings_.save.JpgCompTrackBar, 35);
  EXPECT_TRUE(CloseRequestQuits(reg_)) << "no stored action: the close button quits";
}

TEST_F(SettingsTest, FirstStartLoadsTheDefaultsAndTheDocumentsFolder) {
  FirstRun();
  EXPECT_EQ(ReadVersion(reg_), "V1.6");
  Load();
  const Settings designed;
  EXPECT_EQ(settings_.conventional.OverSound, designed.conventional.OverSound);
  EXPECT_TRUE(settings_.conventional.IncludeMouse);
  EXPECT_FALSE(settings_.conventional.DelayTime);
  EXPECT_EQ(settings_.conventional.DelayTimeCap, "1");
  EXPECT_TRUE(settings_.conventional.HideMainForm);
  EXPECT_EQ(settings_.conventional.WidthValue, "600");
  EXPECT_EQ(settings_.conventional.HeightValue, "400");
  EXPECT_FALSE(settings_.save.NameASTime);
  EXPECT_EQ(settings_.save.FNameTemp, "截图");
  EXPECT_EQ(settings_.save.SaveDir, kDocuments);
  EXPECT_EQ(settings_.save.PicFormatRadioGroup, 1);
  EXPECT_EQ(settings_.save.JpgCompTrackBar, 80);
  EXPECT_FALSE(settings_.high.AutoStart);
  EXPECT_EQ(settings_.high.QuitMain, 0);
  EXPECT_EQ(settings_.fixed.FixedWidth, 600);
  EXPECT_EQ(settings_.fixed.FixedHeight, 400);
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(reg_.Changes().empty()) << "loading stores nothing, not even the folder fallback";
}

TEST_F(SettingsTest, LoadPutsEachStoredValueIntoItsControl) {
  FirstRun();
  // Every value differs from its designed default, so a value read into the
  // wrong control shows.
  reg_.Put(kLm, kConventionalKey, "Sound", RegValue::MakeString("0"));
  reg_.Put(kLm, kConventionalKey, "Mouse", RegValue::MakeString("0"));
  reg_.Put(kLm, kConventionalKey, "Hide", RegValue::MakeString("0"));
  reg_.Put(kLm, kConventionalKey, "Delay", RegValue::MakeInteger(3000));
  reg_.Put(kLm, kConventionalKey, "Width", RegValue::MakeString("320"));
  reg_.Put(kLm, kConventionalKey, "Height", RegValue::MakeString("1"));
  reg_.Put(kLm, kSaveKey, "Type", RegValue::MakeString("3"));
  reg_.Put(kLm, kSaveKey, "Comp", RegValue::MakeString("35"));
  reg_.Put(kLm, kSaveKey, "Time", RegValue::MakeString("1"));
  reg_.Put(kLm, kSaveKey, "Temp", RegValue::MakeString("图片"));
  reg_.Put(kLm, kSaveKey, "Dir", RegValue::MakeString("D:\\截图 文件夹"));
  reg_.Put(kLm, kHighKey, "Quit", RegValue::MakeInteger(1));
  reg_.Put(kLm, kRunKey, kRunValue, RegValue::MakeString(""));
  Load();
  EXPECT_FALSE(settings_.conventional.OverSound);
  EXPECT_FALSE(settings_.conventional.IncludeMouse);
  EXPECT_FALSE(settings_.conventional.HideMainForm);
  EXPECT_TRUE(settings_.conventional.DelayTime);
  EXPECT_EQ(settings_.conventional.DelayTimeCap, "1") << "the delay edit is never loaded";
  EXPECT_EQ(settings_.conventional.WidthValue, "320");
  EXPECT_EQ(settings_.conventional.HeightValue, "1") << "a size of 1 is accepted";
  EXPECT_EQ(settings_.fixed.FixedWidth, 320);
  EXPECT_EQ(settings_.fixed.FixedHeight, 1);
  EXPECT_EQ(settings_.save.PicFormatRadioGroup, 3);
  EXPECT_EQ(settings_.save.JpgCompTrackBar, 35);
  EXPECT_TRUE(settings_.save.NameASTime);
  EXPECT_EQ(settings_.save.FNameTemp, "图片");
  EXPECT_EQ(settings_.save.SaveDir, "D:\\截图 文件夹");
  EXPECT_EQ(settings_.high.QuitMain, 1);
  EXPECT_TRUE(settings_.high.AutoStart) << "the Run value exists, whatever it holds";
  EXPECT_TRUE(messages_.empty());
}

TEST_F(SettingsTest, SwitchesAreOnOnlyForExactlyOne) {
  FirstRun();
  for (const char* stored : {"1", "0", "", "yes", "01", "2"}) {
    SCOPED_TRACE(stored);
    for (const char* name : {"Sound", "Mouse", "Hide"})
      reg_.Put(kLm, kConventionalKey, name, RegValue::MakeString(stored));
    reg_.Put(kLm, kSaveKey, "Time", RegValue::MakeString(stored));
    settings_ = Settings();
    Load();
    const bool on = std::string(stored) == "1";
    EXPECT_EQ(settings_.conventional.OverSound, on);
    EXPECT_EQ(settings_.conventional.IncludeMouse, on);
    EXPECT_EQ(settings_.conventional.HideMainForm, on);
    EXPECT_EQ(settings_.save.NameASTime, on);
  }
}

TEST_F(SettingsTest, DelayIsTickedByAStoredDelayOtherThanZero) {
  FirstRun();
  struct Case {
    std::optional<int> stored;
    bool ticked;
  } cases[] = {{3000, true}, {0, false}, {-1000, true}, {std::nullopt, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored.value_or(-99));
    reg_.Put(kLm, kConventionalKey, "Delay", RegValue::MakeInteger(c.stored.value_or(0)));
    if (!c.stored) reg_.OpenKey(kLm, kConventionalKey, false)->DeleteValue("Delay");
    settings_ = Settings();
    Load();
    EXPECT_EQ(settings_.conventional.DelayTime, c.ticked);
    EXPECT_EQ(settings_.conventional.DelayTimeCap, "1");
  }
}

TEST_F(SettingsTest, SaveFolderFallsBackToThePersonalShellFolder) {
  struct Case {
    std::optional<std::string> dir;
    std::optional<std::string> personal;
    std::string shown;
  } cases[] = {
      {"D:\\Shots", kDocuments, "D:\\Shots"},
      {"", kDocuments, kDocuments},
      {std::nullopt, kDocuments, kDocuments},
      {"", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    MemoryRegistry reg;
    ASSERT_TRUE(InitializeSettingsStore(reg, kFolder));
    auto save = reg.OpenKey(kLm, kSaveKey, false);
    if (c.dir)
      save->SetString("Dir", *c.dir);
    else
      save->DeleteValue("Dir");
    if (c.personal)
      reg.Put(RegRoot::CurrentUser, kShellFoldersKey, kPersonalValue, RegValue::MakeString(*c.personal));
    reg.ClearChanges();
    Settings s;
    LoadSettings(reg, s, nullptr);
    EXPECT_EQ(s.save.SaveDir, c.shown);
    EXPECT_EQ(reg.Value(kLm, kSaveKey, "Dir"),
              c.dir ? std::optional(RegValue::MakeString(*c.dir)) : std::nullopt);
    EXPECT_EQ(reg.HasKey(RegRoot::CurrentUser, kShellFoldersKey), c.personal.has_value())
        << "the shell folder key is only read";
  }
}

TEST_F(SettingsTest, EmptyTemplateLoadsAsTheDesignedOne) {
  FirstRun();
  reg_.Put(kLm, kSaveKey, "Temp", RegValue::MakeString(""));
  Load();
  EXPECT_EQ(settings_.save.FNameTemp, "截图");
}

TEST_F(SettingsTest, BadSizesAreResetWithTheMessageWhileLoading) {
  FirstRun();
  struct Case {
    std::string width, height;
    std::string shown_width, shown_height;
    int messages;
  } cases[] = {
      {"abc", "400", "600", "400", 1}, {"", "", "600", "400", 2},     {"0", "-5", "600", "400", 2},
      {"1", "1", "1", "1", 0},         {"0800", "9", "0800", "9", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width + "/" + c.height);
    reg_.Put(kLm, kConventionalKey, "Width", RegValue::MakeString(c.width));
    reg_.Put(kLm, kConventionalKey, "Height", RegValue::MakeString(c.height));
    settings_ = Settings();
    messages_.clear();
    Load();
    EXPECT_EQ(settings_.conventional.WidthValue, c.shown_width);
    EXPECT_EQ(settings_.conventional.HeightValue, c.shown_height);
    EXPECT_EQ(settings_.fixed.FixedWidth, SpinEditValue(c.shown_width));
    EXPECT_EQ(settings_.fixed.FixedHeight, SpinEditValue(c.shown_height));
    EXPECT_EQ(messages_, std::vector<std::string>(c.messages, "请输入大于1的数"));
  }
}

TEST_F(SettingsTest, OutOfRangeNumbersAreBroughtIntoTheControlsRanges) {
  FirstRun();
  struct Case {
    std::string type, comp;
    int quit;
    int format, quality, quit_main;
  } cases[] = {
      {"7", "0", 5, 3, 1, 1},
      {"-4", "250", -3, -1, 100, -1},
      {"0", "100", 0, 0, 100, 0},
  };
  for (const auto& c : cases) {
    reg_.Put(kLm, kSaveKey, "Type", RegValue::MakeString(c.type));
    reg_.Put(kLm, kSaveKey, "Comp", RegValue::MakeString(c.comp));
    reg_.Put(kLm, kHighKey, "Quit", RegValue::MakeInteger(c.quit));
    Load();
    EXPECT_EQ(settings_.save.PicFormatRadioGroup, c.format);
    EXPECT_EQ(settings_.save.JpgCompTrackBar, c.quality);
    EXPECT_EQ(settings_.high.QuitMain, c.quit_main);
  }
}

// Values a failed load must have taken (those before the failing step) and
// left at their designed defaults (those after it).
TEST_F(SettingsTest, MissingTypeStopsTheLoadingThere) {
  FirstRun();
  reg_.Put(kLm, kSaveKey, "Temp", RegValue::MakeString("图片"));
  reg_.Put(kLm, kConventionalKey, "Hide", RegValue::MakeString("0"));
  reg_.Put(kLm, kSaveKey, "Comp", RegValue::MakeString("35"));
  reg_.Put(kLm, kConventionalKey, "Sound", RegValue::MakeString("0"));
  reg_.Put(kLm, kConventionalKey, "Width", RegValue::MakeString("320"));
  reg_.OpenKey(kLm, kSaveKey, false)->DeleteValue("Type");
  try {
    Load();
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_EQ(settings_.save.FNameTemp, "图片");
  EXPECT_FALSE(settings_.conventional.HideMainForm);
  EXPECT_EQ(settings_.save.PicFormatRadioGroup, 1);
  EXPECT_EQ(settings_.save.JpgCompTrackBar, 80);
  EXPECT_TRUE(settings_.conventional.OverSound);
  EXPECT_EQ(settings_.conventional.WidthValue, "600");
  EXPECT_EQ(settings_.fixed.FixedWidth, 600) << "the fixed size keeps its designed value";
}

TEST_F(SettingsTest, StringStoredAsQuitStopsTheLoadingThere) {
  FirstRun();
  reg_.Put(kLm, kSaveKey, "Comp", RegValue::MakeString("35"));
  reg_.Put(kLm, kConventionalKey, "Sound", RegValue::MakeString("0"));
  reg_.Put(kLm, kHighKey, "Quit", RegValue::MakeString("1"));
  reg_.Put(kLm, kConventionalKey, "Width", RegValue::MakeString("320"));
  reg_.Put(kLm, kConventionalKey, "Height", RegValue::MakeString("abc"));
  try {
    Load();
    FAIL() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Quit'");
  }
  EXPECT_EQ(settings_.save.JpgCompTrackBar, 35);
  EXPECT_FALSE(settings_.conventional.OverSound);
  EXPECT_EQ(settings_.high.QuitMain, 0);
  EXPECT_EQ(settings_.conventional.WidthValue, "600");
  EXPECT_EQ(settings_.fixed.FixedWidth, 600);
  EXPECT_TRUE(messages_.empty()) << "the size checks were never reached";
}

TEST_F(SettingsTest, LoadingCreatesOnlyTheKeysItReadsWithTheCreateFlag) {
  // Only High is left: the reads of Conventional and of Time recreate their
  // keys, the Run key and the shell folders are opened without creating.
  reg_.Put(kLm, kHighKey, "Quit", RegValue::MakeInteger(0));
  EXPECT_FALSE(InitializeSettingsStore(reg_, kFolder));
  EXPECT_EQ(ReadVersion(reg_), "");
  EXPECT_THROW(Load(), ConversionError);  // Type is missing
  EXPECT_TRUE(reg_.HasKey(kLm, kConventionalKey));
  EXPECT_TRUE(reg_.HasKey(kLm, kSaveKey));
  EXPECT_FALSE(reg_.HasKey(kLm, kRunKey));
  EXPECT_FALSE(reg_.HasKey(RegRoot::CurrentUser, kShellFoldersKey));
  EXPECT_TRUE(reg_.Changes().empty());
}

TEST_F(SettingsTest, ConventionalOkStoresExactlyItsValues) {
  FirstRun();
  ConventionalPage page;
  page.OverSound = false;
  page.IncludeMouse = true;
  page.HideMainForm = false;
  page.DelayTime = true;
  page.DelayTimeCap = "5";
  page.WidthValue = "320";
  page.HeightValue = "1";
  FixedSize fixed;
  SaveConventionalPage(reg_, page, fixed);
  const std::vector<RegChange> expected = {
      Str(kConventionalKey, "Width", "320"), Str(kConventionalKey, "Height", "1"),
      Str(kConventionalKey, "Mouse", "1"),   Str(kConventionalKey, "Sound", "0"),
      Str(kConventionalKey, "Hide", "0"),    Int(kConventionalKey, "Delay", 5000),
  };
  EXPECT_EQ(reg_.Changes(), expected);
  EXPECT_EQ(fixed.FixedWidth, 320);
  EXPECT_EQ(fixed.FixedHeight, 1);

  reg_.ClearChanges();
  page.DelayTime = false;
  SaveConventionalPage(reg_, page, fixed);
  EXPECT_EQ(reg_.Changes().back(), Int(kConventionalKey, "Delay", 0)) << "an unticked delay stores 0";
}

TEST_F(SettingsTest, ConventionalOkWithABadDelayStopsBeforeDelay) {
  FirstRun();
  reg_.Put(kLm, kConventionalKey, "Delay", RegValue::MakeInteger(3000));
  ConventionalPage page;
  page.DelayTime = true;
  page.WidthValue = "800";
  for (const std::string bad : {"", "5x", "3000000"}) {
    SCOPED_TRACE(bad);
    reg_.ClearChanges();
    page.DelayTimeCap = bad;
    FixedSize fixed;
    EXPECT_THROW(SaveConventionalPage(reg_, page, fixed), ConversionError);
    EXPECT_EQ(fixed.FixedWidth, 800);
    ASSERT_EQ(reg_.Changes().size(), 5u) << "Width, Height, Mouse, Sound and Hide stay stored";
    EXPECT_EQ(reg_.Value(kLm, kConventionalKey, "Delay"), RegValue::MakeInteger(3000));
  }
  // A delay whose milliseconds overflow fails as a whole instead of wrapping.
  page.DelayTimeCap = "3000000";
  FixedSize fixed;
  try {
    SaveConventionalPage(reg_, page, fixed);
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'3000000000' is not a valid integer value");
  }
}

TEST_F(SettingsTest, SaveOkStoresTemplateAndFolderOnlyWithTheTemplateChosen) {
  FirstRun();
  SavePage page;
  page.PicFormatRadioGroup = 2;
  page.JpgCompTrackBar = 35;
  page.FNameTemp = "图片";
  page.SaveDir = "D:\\Shots";
  SaveSavePage(reg_, page);
  EXPECT_EQ(reg_.Changes(), (std::vector<RegChange>{
                                Str(kSaveKey, "Type", "2"),
                                Str(kSaveKey, "Comp", "35"),
                                Str(kSaveKey, "Time", "0"),
                                Str(kSaveKey, "Temp", "图片"),
                                Str(kSaveKey, "Dir", "D:\\Shots"),
                            }));

  reg_.ClearChanges();
  page.NameASTime = true;
  page.FNameTemp = "别的";
  page.SaveDir = "E:\\";
  SaveSavePage(reg_, page);
  EXPECT_EQ(reg_.Changes(), (std::vector<RegChange>{
                                Str(kSaveKey, "Type", "2"),
                                Str(kSaveKey, "Comp", "35"),
                                Str(kSaveKey, "Time", "1"),
                            }));
  EXPECT_EQ(reg_.Value(kLm, kSaveKey, "Temp"), RegValue::MakeString("图片"));
  EXPECT_EQ(reg_.Value(kLm, kSaveKey, "Dir"), RegValue::MakeString("D:\\Shots"));
}

TEST_F(SettingsTest, HighOkStoresCloseActionAutostartAndMinimize) {
  FirstRun();
  HighPage page;
  page.AutoStart = true;
  page.QuitMain = 1;
  SaveHighPage(reg_, page, kFolder);
  const std::string command = "\"C:\\Program Files\\KSV\\KSV.exe\" s";
  EXPECT_EQ(reg_.Changes(), (std::vector<RegChange>{
                                Int(kHighKey, "Quit", 1),
                                Str(kRunKey, kRunValue, command),
                                Int(kHighKey, "Minimize", 0),
                            }));

  reg_.ClearChanges();
  page.AutoStart = false;
  page.StartToTray = true;
  page.QuitMain = 0;
  SaveHighPage(reg_, page, kFolder);
  EXPECT_EQ(reg_.Changes(), (std::vector<RegChange>{
                                Int(kHighKey, "Quit", 0),
                                {kLm, std::string(kRunKey), std::string(kRunValue), std::nullopt},
                                Int(kHighKey, "Minimize", 1),
                            }));
  EXPECT_EQ(reg_.Value(kLm, kRunKey, "Other"), RegValue::MakeString("other.exe"));

  // Clearing autostart again with no Run value changes nothing there.
  reg_.ClearChanges();
  SaveHighPage(reg_, page, kFolder);
  EXPECT_EQ(reg_.Changes().size(), 2u);
}

TEST_F(SettingsTest, AutostartIsNeverWrittenIntoAMissingRunKey) {
  ASSERT_TRUE(InitializeSettingsStore(reg_, kFolder));
  HighPage page;
  page.AutoStart = true;
  SaveHighPage(reg_, page, kFolder);
  EXPECT_FALSE(reg_.HasKey(kLm, kRunKey));
}

TEST_F(SettingsTest, SavedPagesLoadBackTheSame) {
  FirstRun();
  Settings before;
  before.conventional.OverSound = false;
  before.conventional.IncludeMouse = false;
  before.conventional.HideMainForm = false;
  before.conventional.DelayTime = true;
  before.conventional.DelayTimeCap = "7";
  before.conventional.WidthValue = "123";
  before.conventional.HeightValue = "45";
  before.save.NameASTime = false;
  before.save.FNameTemp = "图片";
  before.save.SaveDir = "D:\\截图";
  before.save.PicFormatRadioGroup = 0;
  before.save.JpgCompTrackBar = 99;
  before.high.AutoStart = true;
  before.high.QuitMain = 1;
  SaveConventionalPage(reg_, before.conventional, before.fixed);
  SaveSavePage(reg_, before.save);
  SaveHighPage(reg_, before.high, kFolder);

  Load();
  EXPECT_EQ(settings_.conventional.OverSound, false);
  EXPECT_EQ(settings_.conventional.IncludeMouse, false);
  EXPECT_EQ(settings_.conventional.HideMainForm, false);
  EXPECT_TRUE(settings_.conventional.DelayTime);
  EXPECT_EQ(settings_.conventional.DelayTimeCap, "1");
  EXPECT_EQ(settings_.conventional.WidthValue, "123");
  EXPECT_EQ(settings_.conventional.HeightValue, "45");
  EXPECT_EQ(settings_.fixed.FixedWidth, 123);
  EXPECT_EQ(settings_.fixed.FixedHeight, 45);
  EXPECT_EQ(settings_.save.FNameTemp, "图片");
  EXPECT_EQ(settings_.save.SaveDir, "D:\\截图");
  EXPECT_EQ(settings_.save.PicFormatRadioGroup, 0);
  EXPECT_EQ(settings_.save.JpgCompTrackBar, 99);
  EXPECT_TRUE(settings_.high.AutoStart);
  EXPECT_EQ(settings_.high.QuitMain, 1);
  EXPECT_TRUE(CloseRequestQuits(reg_));
}

TEST_F(SettingsTest, CloseQuitsUnlessTheStoredActionIsZero) {
  FirstRun();
  EXPECT_FALSE(CloseRequestQuits(reg_));
  reg_.Put(kLm, kHighKey, "Quit", RegValue::MakeInteger(1));
  EXPECT_TRUE(CloseRequestQuits(reg_));
  reg_.OpenKey(kLm, kHighKey, false)->DeleteValue("Quit");
  EXPECT_TRUE(CloseRequestQuits(reg_)) << "a missing value reads as empty and quits";
  reg_.Put(kLm, kHighKey, "Quit", RegValue::MakeString("0"));
  EXPECT_THROW(CloseRequestQuits(reg_), RegistryError);

  MemoryRegistry empty;
  EXPECT_TRUE(CloseRequestQuits(empty));
  EXPECT_FALSE(empty.HasKey(kLm, kHighKey)) << "read without the create flag";
}

TEST(SettingsPathsTest, FolderAndAutostartCommand) {
  EXPECT_EQ(ExecutableFolder("C:\\Program Files\\KSV\\KSV.exe"), "C:\\Program Files\\KSV\\");
  EXPECT_EQ(ExecutableFolder("D:\\KSV.exe"), "D:\\");
  EXPECT_EQ(ExecutableFolder("KSV.exe"), "");
  EXPECT_EQ(AutoStartCommand("C:\\Program Files\\万象\\"), "\"C:\\Program Files\\万象\\KSV.exe\" s");
}

}  // namespace
}  // namespace ksv
