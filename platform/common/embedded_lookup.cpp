#include "platform/embedded_resources.h"

namespace plat {
namespace {
char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool SameName(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (FoldAscii(*a) != FoldAscii(*b)) return false;
  }
  return *a == *b;
}
}  // namespace

const EmbeddedResource* FindEmbeddedResource(const char* name) {
  if (name == nullptr) return nullptr;
  for (std::size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    if (SameName(kEmbeddedResources[i].name, name)) return &kEmbeddedResources[i];
  }
  return nullptr;
}

}  // namespace plat
