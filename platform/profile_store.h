// The four private-profile (INI file) operations. Windows calls kernel32;
// Linux uses our own store that behaves the same over the same files.
// Every text is a NUL-terminated code page 932 byte string; a null pointer
// has the meaning the Win32 functions give it.
#pragma once
#include <cstdint>

namespace plat {

class IProfileStore {
 public:
  virtual ~IProfileStore() = default;
  // GetPrivateProfileStringA: returns the number of bytes copied (without NUL).
  virtual std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                                  char* buffer, std::uint32_t size, const char* file) = 0;
  // GetPrivateProfileIntA (the UINT result reinterpreted as signed).
  virtual std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                              const char* file) = 0;
  // WritePrivateProfileStringA: null value deletes the key, null key and value
  // delete the section.
  virtual bool WriteString(const char* section, const char* key, const char* value,
                           const char* file) = 0;
  // GetPrivateProfileSectionNamesA.
  virtual std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) = 0;

  // An edit session on one file: its writes from BeginEdit on are made on a
  // copy (reads of the file see them), and CommitEdit puts the copy in the
  // file's place in one step, so the file holds all of them or none, even
  // after a crash. Each write keeps its own meaning. CommitEdit is false when
  // a write was refused or the file could not be replaced; the file is then
  // as it was. Other files are written straight through meanwhile; one
  // session at a time.
  virtual void BeginEdit(const char* file) = 0;
  virtual bool CommitEdit() = 0;
};

}  // namespace plat
