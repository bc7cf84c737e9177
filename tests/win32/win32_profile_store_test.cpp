// kernel32's private-profile writes in an edit session: on a copy beside
// the file, moved over it at the commit; a read-only file stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_profile_store.h"
#include "tests/scratch_dir.h"

namespace {

TEST(Win32ProfileStore, EditSessionReplacesTheFileOnceOrLeavesIt) {
  testutil::ScratchDir dir("win32-profile");
  const std::string before = "[p]\r\ndata00=1\r\n";
  const std::string file = dir.Write("action.ini", before);
  const auto fileCount = [&] {
    const std::filesystem::directory_iterator entries(dir.Path());
    return std::distance(begin(entries), end(entries));
  };
  plat::Win32ProfileStore store;

  store.BeginEdit(file.c_str());
  EXPECT_TRUE(store.WriteString("p", "data00", "2", file.c_str()));
  EXPECT_TRUE(store.WriteString("q", "data01", "3", file.c_str()));
  EXPECT_EQ(3, store.GetInt("q", "data01", 0, file.c_str()));  // reads see the session
  EXPECT_EQ(before, dir.Read("action.ini"));
  EXPECT_TRUE(store.CommitEdit());
  EXPECT_EQ(2, store.GetInt("p", "data00", 0, file.c_str()));
  EXPECT_EQ(3, store.GetInt("q", "data01", 0, file.c_str()));
  const std::string after = dir.Read("action.ini");
  EXPECT_EQ(1, fileCount());

  ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
  store.BeginEdit(file.c_str());
  store.WriteString("p", "data00", "4", file.c_str());
  EXPECT_FALSE(store.CommitEdit());
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(after, dir.Read("action.ini"));
  EXPECT_EQ(1, fileCount());
}

}  // namespace
