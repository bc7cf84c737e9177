// The combo list's order and matching under code page 932.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/common/sorted_text_list.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> in) {
  plat::SortedTextList list;
  for (const auto& s : in) list.Add(s.c_str());
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.emplace_back(list.Text(i));
  return out;
}

}  // namespace

TEST(SortedTextList, ShiftJisOrderWithAsciiCaseIgnored) {
  const std::string slow = "ゆっくり", random = "ランダム", fast = "速い", none = "表示なし";
  EXPECT_EQ((std::vector<std::string>{"alpha", "Beta", "beta", slow, random, fast, none}),
            Sorted({none, fast, "Beta", random, "alpha", slow, "beta"}));
}

TEST(SortedTextList, PrefixExactAndDelete) {
  plat::SortedTextList list;
  for (const char* s : {"Gamma", "alpha long", "Alpha"}) list.Add(s);
  EXPECT_EQ(0, list.FindPrefix("ALPHA"));
  EXPECT_EQ(1, list.FindPrefix("alpha "));
  EXPECT_EQ(0, list.FindPrefix(""));
  EXPECT_EQ(-1, list.FindPrefix("delta"));
  EXPECT_EQ(2, list.FindExact("GAMMA"));
  EXPECT_EQ(-1, list.FindExact("Gam"));
  EXPECT_TRUE(list.Delete(0));
  EXPECT_FALSE(list.Delete(5));
  EXPECT_EQ(nullptr, list.Text(2));
}
