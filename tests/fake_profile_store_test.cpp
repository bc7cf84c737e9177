// The in-memory store must read like the private-profile functions, or the
// saver's tests would prove nothing.
#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_profile_store.h"

TEST(FakeProfileStore, IntegersReadLikeGetPrivateProfileInt) {
  const std::pair<const char*, int> cases[] = {
      {" 42", 42},   {"-7", -7},  {"0x10", 16},          {"0X1F", 0},  {"3.9", 3},
      {"- 5", 0},    {"\"42\"", 42}, {"2147483648", -2147483647 - 1}, {"abc", 0},
  };
  fake::FakeProfileStore store;
  for (const auto& c : cases) {
    store.Set("f", "s", "k", c.first);
    EXPECT_EQ(c.second, store.GetInt("s", "k", 99, "f")) << c.first;
  }
  store.Set("f", "s", "k", "  ");
  EXPECT_EQ(99, store.GetInt("s", "k", 99, "f"));
  EXPECT_EQ(99, store.GetInt("s", "missing", 99, "f"));
}

TEST(FakeProfileStore, ListsAndValuesAreCutToTheBuffer) {
  fake::FakeProfileStore store;
  store.AddSection("f", "abc");
  store.AddSection("f", "defg");
  char buffer[16];
  EXPECT_EQ(9u, store.GetSectionNames(buffer, sizeof(buffer), "f"));
  EXPECT_EQ(std::string("abc\0defg\0", 10), std::string(buffer, 10));
  EXPECT_EQ(5u, store.GetSectionNames(buffer, 7, "f"));
  EXPECT_EQ(std::string("abc\0d\0\0", 7), std::string(buffer, 7));
  EXPECT_EQ(3u, store.GetString("s", "k", "default", buffer, 4, "f"));
  EXPECT_STREQ("def", buffer);
  EXPECT_TRUE(store.WriteString("ABC", nullptr, nullptr, "f"));
  EXPECT_EQ(nullptr, store.FindSection("f", "abc"));
}
