#include "tools/gallery/gallery_run.h"

#include "framework/framework.h"
#include "framework/module_path.h"
#include "platform/fake/fake_host_window.h"
#include "platform/fake/fake_platform.h"
#include "platform/ini/ini_store.h"
#include "platform/soft/pixel_view.h"
#include "saver/embedded_run.h"

namespace gallery {

namespace {

constexpr const char* kSystemPresets = "actsys.ini";  // as the saver resolves it

// The preset file on disk answers for the system preset file; the settings
// and the user presets live in memory, so nothing outside is read or written.
class PresetFiles : public plat::IProfileStore {
 public:
  PresetFiles(plat::ISystemInfo& system, const std::string& presetFile) : disk_(presetFile) {
    qrx::ResolveBesideModule(system, systemPath_, sizeof systemPath_, kSystemPresets);
  }
  std::uint32_t GetString(const char* section, const char* key, const char* defaultText,
                          char* buffer, std::uint32_t size, const char* file) override {
    if (OnDisk(file)) return ini_.GetString(section, key, defaultText, buffer, size, disk_.c_str());
    return memory.GetString(section, key, defaultText, buffer, size, file);
  }
  std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                      const char* file) override {
    if (OnDisk(file)) return ini_.GetInt(section, key, defaultValue, disk_.c_str());
    return memory.GetInt(section, key, defaultValue, file);
  }
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* file) override {
    return !OnDisk(file) && memory.WriteString(section, key, value, file);
  }
  std::uint32_t GetSectionNames(char* buffer, std::uint32_t size, const char* file) override {
    if (OnDisk(file)) return ini_.GetSectionNames(buffer, size, disk_.c_str());
    return memory.GetSectionNames(buffer, size, file);
  }
  // The preset file on disk is never written, in a session or not.
  void BeginEdit(const char* file) override {
    sessionOnDisk_ = OnDisk(file);
    memory.BeginEdit(file);
  }
  bool CommitEdit() override { return memory.CommitEdit() && !sessionOnDisk_; }

  fake::FakeProfileStore memory;

 private:
  bool OnDisk(const char* file) const { return file != nullptr && std::string(file) == systemPath_; }

  std::string disk_;
  char systemPath_[260] = {};
  plat::IniStore ini_;
  bool sessionOnDisk_ = false;
};

// The preview's window: its frames after the warm-up go out as PPM images.
class FrameWriter : public fake::FakeHostWindow {
 public:
  FrameWriter(fake::FakeClock& clock, const Shot& shot, std::FILE* out)
      : FakeHostWindow(clock), shot_(shot), out_(out), rgb_(3u * kWidth * kHeight) {
    width = kWidth;
    height = kHeight;
  }
  bool Gone() override {
    return drawn_ >= shot_.warmUp + shot_.frames * shot_.every || failed_ || FakeHostWindow::Gone();
  }
  void Present(const plat::LockedSurface& frame) override;

  int Written() const { return written_; }
  bool Failed() const { return failed_; }

 private:
  const Shot& shot_;
  std::FILE* out_;
  std::vector<unsigned char> rgb_;
  int drawn_ = 0, written_ = 0;
  bool failed_ = false;
};

void FrameWriter::Present(const plat::LockedSurface& frame) {
  using namespace plat::soft;
  const int index = drawn_++ - shot_.warmUp;
  if (index < 0 || index % shot_.every != 0) return;
  if (frame.width != kWidth || frame.height != kHeight) return void(failed_ = true);
  const PixelLayout layout = frame.format.rgbBitCount == 16 ? PixelLayout::Rgb565 : PixelLayout::Xrgb8888;
  const PixelView view{static_cast<std::uint8_t*>(frame.bits), frame.pitch, frame.width,
                       frame.height, layout};
  unsigned char* p = rgb_.data();
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x, p += 3) {
      const std::uint32_t rgb = RgbFromNative(layout, ReadPixel(view, x, y));
      p[0] = static_cast<unsigned char>(rgb >> 16), p[1] = static_cast<unsigned char>(rgb >> 8);
      p[2] = static_cast<unsigned char>(rgb);
    }
  }
  std::fprintf(out_, "P6\n%d %d\n255\n", kWidth, kHeight);
  if (std::fwrite(rgb_.data(), 1, rgb_.size(), out_) != rgb_.size()) failed_ = true;
  ++written_;
}

}  // namespace

std::vector<std::string> ListPresets(const std::string& presetFile) {
  std::vector<char> names(1u << 16);
  plat::IniStore ini;
  const std::uint32_t used = ini.GetSectionNames(names.data(), static_cast<std::uint32_t>(names.size()),
                                                 presetFile.c_str());
  std::vector<std::string> list;
  for (std::uint32_t at = 0; at < used && names[at] != '\0';) {
    list.emplace_back(&names[at]);
    at += static_cast<std::uint32_t>(list.back().size()) + 1;
  }
  return list;
}

bool RenderPreset(const std::string& presetFile, const std::string& preset, const Shot& shot,
                  std::FILE* out, std::string& error) {
  fake::FakePorts ports(kWidth, kHeight, 32);
  PresetFiles files(ports.system, presetFile);
  char settings[260] = {};
  qrx::ResolveBesideModule(ports.system, settings, sizeof settings, "prumya.ini");
  files.memory.Set(settings, "action", "name", preset);
  FrameWriter window(ports.clock, shot, out);
  qrx::Framework framework(plat::MakePlatform(ports.windows, ports.boxes, ports.system, ports.clock,
                                              ports.input, files, ports.display, ports.bitmaps,
                                              ports.sound));
  framework.random.Seed(shot.seed);
  prumya::EmbeddedRun run(framework, window);
  run.Run();
  if (window.Written() == shot.frames && !window.Failed() && ports.boxes.shown.empty()) return true;
  error = "wrote " + std::to_string(window.Written()) + " of " + std::to_string(shot.frames) +
          " frames" + (ports.boxes.shown.empty() ? "" : " (the display reported an error)");
  return false;
}

}  // namespace gallery
