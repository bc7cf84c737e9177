#include "framework/owned_text.h"

#include "framework/cp932.h"

namespace qrx {

TextArea::TextArea(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {
  if (size_ > 0) buffer_[0] = '\0';
}

void TextArea::Append(const char* text) {
  if (size_ == 0 || text == nullptr) return;
  for (std::size_t step; (step = Cp932CharLength(text)) != 0; text += step) {
    if (length_ + step >= size_) break;
    std::memcpy(buffer_ + length_, text, step);
    length_ += step;
  }
  buffer_[length_] = '\0';
}

}  // namespace qrx
