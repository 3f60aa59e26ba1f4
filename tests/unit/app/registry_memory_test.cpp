#include "app/registry_memory.h"

#include <gtest/gtest.h>

#include "registry_contract.h"

namespace ksv {
namespace {

class MemoryBench : public contract::RegistryBench {
 public:
  Registry& registry() override { return reg_; }
  std::string Base() const override { return "SOFTWARE\\ContractTest"; }
  void PutRaw(RegRoot root, std::string_view path, std::string_view name, RegType type,
              std::string_view text) override {
    RegValue v = type == RegType::Other ? RegValue::MakeOther() : RegValue::MakeString(std::string(text));
    v.type = type;
    reg_.Put(root, path, name, v);
  }

 private:
  MemoryRegistry reg_;
};

using contract::RegistryContract;
INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values([] { return std::make_unique<MemoryBench>(); }));

TEST(MemoryRegistryTest, RecordsEachChangeInOrder) {
  MemoryRegistry reg;
  {
    auto key = reg.OpenKey(RegRoot::LocalMachine, "SOFTWARE\\KSV", true);
    ASSERT_TRUE(key);
    key->SetString("Ver", "V1.6");
    key->SetInteger("Delay", -3);
    key->DeleteValue("Missing");  // changes nothing
    key->DeleteValue("ver");
  }
  const std::vector<RegChange> expected = {
      {RegRoot::LocalMachine, "SOFTWARE\\KSV", "Ver", RegValue::MakeString("V1.6")},
      {RegRoot::LocalMachine, "SOFTWARE\\KSV", "Delay", RegValue::MakeInteger(-3)},
      {RegRoot::LocalMachine, "SOFTWARE\\KSV", "Ver", std::nullopt},
  };
  EXPECT_EQ(reg.Changes(), expected);
  reg.ClearChanges();
  EXPECT_TRUE(reg.Changes().empty());
}

TEST(MemoryRegistryTest, KeepsFirstSpellingAndWriteOrder) {
  MemoryRegistry reg;
  reg.Put(RegRoot::LocalMachine, "A\\B", "Zeta", RegValue::MakeString("1"));
  reg.Put(RegRoot::LocalMachine, "a\\b", "Alpha", RegValue::MakeInteger(2));
  reg.Put(RegRoot::LocalMachine, "A\\B", "ZETA", RegValue::MakeString("3"));
  EXPECT_EQ(reg.ValueNames(RegRoot::LocalMachine, "A\\B"), (std::vector<std::string>{"Zeta", "Alpha"}));
  EXPECT_EQ(reg.Value(RegRoot::LocalMachine, "A\\B", "zeta"), RegValue::MakeString("3"));
  EXPECT_TRUE(reg.Changes().empty()) << "setting up is not a change";
}

}  // namespace
}  // namespace ksv
