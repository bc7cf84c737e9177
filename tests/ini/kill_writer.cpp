// ini-kill-writer: crash safety of the INI store's saves. A writer process
// saves group after group of keys in a file of about 256 KB through
// IniStore, each group in one edit session as the saver saves a preset's
// twelve values, and the driver kills it with SIGKILL at random moments.
// After every kill the file must be exactly one of the states between two
// saves (the old group or the new one, never a cut, a mix or half a save),
// the sequence must never go back, and no temporary file may pile up.
//
//   ini-kill-writer drive DIR KILLS [SEED]   the whole test; last line "N passed, N failed"
//   ini-kill-writer write DIR [SAVES]        goes on with the sequence (until killed)
//
// State k: slot j (k mod kSlots) holds Value(k) after write k; every slot
// holds "init" in state 0. Each slot is one key in one section, so a write
// replaces a value in place and state k renders exactly. A save makes the
// kKeysPerSave writes after a multiple of kKeysPerSave, across sections.
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/ini/ini_store.h"
#include "platform/ini/ini_text.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSections = 8;
constexpr int kKeysPerSection = 5;
constexpr int kSlots = kSections * kKeysPerSection;
constexpr int kKeysPerSave = 12;
constexpr const char* kFileName = "kill.ini";

std::string SectionOf(int slot) { return "section" + std::to_string(slot / kKeysPerSection); }
std::string KeyOf(int slot) { return "key" + std::to_string(slot % kKeysPerSection); }

// Lengths vary from write to write, so a cut or a mix shows in the size too.
std::string Value(long generation) {
  if (generation <= 0) return "init";
  const std::size_t length = static_cast<std::size_t>((generation * 7919) % 3001);
  return "g" + std::to_string(generation) + "-" + std::string(length, static_cast<char>('a' + generation % 26));
}

// The generation slot j holds in state k.
long SlotGeneration(int slot, long state) {
  if (state < 1) return 0;
  const long last = state - ((state - slot) % kSlots + kSlots) % kSlots;
  return last >= 1 ? last : 0;
}

std::string Render(long state) {
  static const std::string padding = [] {
    std::string p = "[padding]\r\n";
    for (int i = 0; i < 200; ++i) p += "; " + std::string(1000, 'p') + "\r\n";
    return p;
  }();
  std::string text = padding;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (slot % kKeysPerSection == 0) text += "[" + SectionOf(slot) + "]\r\n";
    text += KeyOf(slot) + "=" + Value(SlotGeneration(slot, state)) + "\r\n";
  }
  return text;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// The state the file is in, or -1 when it is none of them or half a save.
long StateOf(const std::string& bytes) {
  const plat::ini::IniText text(bytes);
  long newest = 0;
  for (int slot = 0; slot < kSlots; ++slot) {
    auto v = text.FindValue(SectionOf(slot), KeyOf(slot));
    if (!v || v->size() < 2 || (*v)[0] != 'g') continue;
    newest = std::max(newest, std::atol(std::string(v->substr(1)).c_str()));
  }
  return Render(newest) == bytes && newest % kKeysPerSave == 0 ? newest : -1;
}

int TemporaryFiles(const fs::path& dir) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".tmp") ++count;
  return count;
}

int Write(const fs::path& dir, long saves) {
  const std::string path = (dir / kFileName).string();
  long state = StateOf(ReadAll(path));
  if (state < 0) return 2;
  plat::IniStore store;
  for (long i = 0; saves <= 0 || i < saves; ++i) {
    store.BeginEdit(path.c_str());
    for (int k = 0; k < kKeysPerSave; ++k) {
      ++state;
      const int slot = static_cast<int>(state % kSlots);
      store.WriteString(SectionOf(slot).c_str(), KeyOf(slot).c_str(), Value(state).c_str(), path.c_str());
    }
    if (!store.CommitEdit()) return 3;
  }
  return 0;
}

// Runs the writer, kills it after a random delay and checks what it left.
class Driver {
 public:
  Driver(fs::path dir, const char* self, unsigned seed) : dir_(std::move(dir)), self_(self), random_(seed) {}

  int Run(int kills) {
    fs::create_directories(dir_);
    std::ofstream(dir_ / kFileName, std::ios::binary) << Render(0);
    const long microsPerSave = TimeOneSave();
    std::uniform_int_distribution<long> delay(0, 2000 + 4 * microsPerSave);
    for (int i = 0; i < kills; ++i) Round(delay(random_));
    Finish();
    std::printf("%d kills (%d during a save's temporary file), %ld keys written, %ld us a save of %d keys; %d bad\n",
                kills, caughtMidWrite_, lastState_, microsPerSave, kKeysPerSave, failures_);
    std::printf("%d passed, %d failed\n", kills + 1 - failures_, failures_);
    return failures_ == 0 ? 0 : 1;
  }

 private:
  pid_t Spawn(long count) {
    const pid_t pid = fork();
    if (pid == 0) {
      const std::string n = std::to_string(count);
      execl("/proc/self/exe", self_, "write", dir_.c_str(), n.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid;
  }

  long TimeOneSave() {
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    waitpid(Spawn(20), &status, 0);
    const auto spent = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    Expect(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the writer failed on its own");
    lastState_ = StateOf(ReadAll(dir_ / kFileName));
    return spent.count() / 20;
  }

  void Round(long delayMicros) {
    const pid_t pid = Spawn(0);
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicros));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);  // reaped, so the next writer sees it gone
    Expect(WIFSIGNALED(status), "the writer ended before it was killed");
    const long state = StateOf(ReadAll(dir_ / kFileName));
    Expect(state >= 0, "the file is no state of the sequence (cut or mixed)");
    Expect(state >= lastState_, "the file went back to an older state");
    if (state >= 0) lastState_ = state;
    const int temporaries = TemporaryFiles(dir_);
    if (temporaries > 0) ++caughtMidWrite_;
    Expect(temporaries <= 1, "temporary files pile up");
  }

  // A last writer that runs to its end leaves no temporary file at all.
  void Finish() {
    int status = 0;
    waitpid(Spawn(3), &status, 0);
    Expect(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the last writer failed");
    Expect(TemporaryFiles(dir_) == 0, "a temporary file outlived the last writer");
    lastState_ = StateOf(ReadAll(dir_ / kFileName));
    Expect(lastState_ >= 0, "the file is no state of the sequence after the last writer");
  }

  void Expect(bool ok, const char* what) {
    if (ok) return;
    ++failures_;
    std::printf("FAIL: %s\n", what);
  }

  fs::path dir_;
  const char* self_;
  std::mt19937 random_;
  long lastState_ = 0;
  int caughtMidWrite_ = 0;
  int failures_ = 0;
};

int Usage() {
  std::fprintf(stderr, "usage: ini-kill-writer drive DIR KILLS [SEED] | write DIR [SAVES]\n");
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string mode = argv[1];
  const fs::path dir = argv[2];
  if (mode == "write") return Write(dir, argc > 3 ? std::atol(argv[3]) : 0);
  if (mode == "drive" && argc > 3) {
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atol(argv[4])) : std::random_device{}();
    std::printf("seed %u\n", seed);
    return Driver(dir, argv[0], seed).Run(std::atoi(argv[3]));
  }
  return Usage();
}
