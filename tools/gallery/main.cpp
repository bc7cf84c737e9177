// prumya-gallery: the shipped presets drawn headless for the README's
// gallery (scripts/gallery turns the frames into animations).
//   prumya-gallery PRESETS         lists the presets, one name a line (CP932)
//   prumya-gallery PRESETS N       writes preset N's frames (from 1) to stdout
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/gallery/gallery_run.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: prumya-gallery PRESETS [N]\n");
    return 2;
  }
  const std::string file = argv[1];
  const std::vector<std::string> presets = gallery::ListPresets(file);
  if (presets.empty()) {
    std::fprintf(stderr, "prumya-gallery: no presets in %s\n", file.c_str());
    return 1;
  }
  if (argc == 2) {
    for (const std::string& name : presets) std::printf("%s\n", name.c_str());
    return 0;
  }
  char* end = nullptr;
  const long n = std::strtol(argv[2], &end, 10);
  if (*argv[2] == '\0' || *end != '\0' || n < 1 || n > static_cast<long>(presets.size())) {
    std::fprintf(stderr, "prumya-gallery: no preset %s (1 to %zu)\n", argv[2], presets.size());
    return 2;
  }
  std::string error;
  if (!gallery::RenderPreset(file, presets[n - 1], gallery::Shot{}, stdout, error) ||
      std::fflush(stdout) != 0) {
    std::fprintf(stderr, "prumya-gallery: preset %ld: %s\n", n, error.empty() ? "write failed" : error.c_str());
    return 1;
  }
  return 0;
}
