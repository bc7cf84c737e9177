#include "framework/owned_text.h"

#include "platform/common/sjis.h"

namespace qrx {

TextArea::TextArea(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {
  if (size_ > 0) buffer_[0] = '\0';
}

void TextArea::Append(const char* text) {
  if (size_ == 0 || text == nullptr) return;
  length_ += plat::sjis::CopyBounded(buffer_ + length_, size_ - length_, text);
}

}  // namespace qrx
