#include <gtest/gtest.h>

#include <cstring>

TEST(Charset, LiteralsAreCodePage932) {
  const char* name = "ぷるみゅら";
  const unsigned char expected[] = {0x82, 0xD5, 0x82, 0xE9, 0x82, 0xDD, 0x82, 0xE3, 0x82, 0xE7};
  ASSERT_EQ(std::strlen(name), sizeof(expected));
  EXPECT_EQ(0, std::memcmp(name, expected, sizeof(expected)));
}
