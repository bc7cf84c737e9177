// Owned heap copies of NUL-terminated texts, and a fixed-size area that
// composes texts without overrunning it.
#pragma once
#include <cstddef>
#include <cstring>
#include <memory>

namespace qrx {

// A fresh copy (length plus one bytes), or null for a null text.
inline std::unique_ptr<char[]> OwnedCopy(const char* text) {
  if (text == nullptr) return nullptr;
  const std::size_t size = std::strlen(text) + 1;
  std::unique_ptr<char[]> copy(new char[size]);
  std::memcpy(copy.get(), text, size);
  return copy;
}

// Appends into a caller's buffer of `size` bytes, always NUL-terminated.
// A text that does not fit is cut before the first Shift_JIS character that
// would cross the end, so no half character is left behind.
class TextArea {
 public:
  TextArea(char* buffer, std::size_t size);
  void Append(const char* text);
  std::size_t Length() const { return length_; }

 private:
  char* buffer_;
  std::size_t size_;
  std::size_t length_ = 0;
};

}  // namespace qrx
