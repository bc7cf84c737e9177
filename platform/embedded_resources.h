// Resources compiled into the binary (FONT01, APPICON), for ports without a
// resource compiler. Names are matched ignoring case.
#pragma once
#include <cstddef>

namespace plat {

struct EmbeddedResource {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;

// The resource of that name (ASCII case ignored), or null.
const EmbeddedResource* FindEmbeddedResource(const char* name);

}  // namespace plat
