// ini-kill-writer: crash safety of the INI store's saves. A writer process
// saves group after group of keys in a file of about 256 KB through
// IniStore, each group in one edit session as the saver saves a preset's
// twelve values, and the driver kills it with SIGKILL at random moments.
// After every kill the file must be exactly one of the states between two
// saves (the old group or the new one, never a cut, a mix or half a save),
// the sequence must never go back, and no temporary file may pile up.
//
//   ini-kill-writer drive DIR KILLS [SEED]   the whole test; last line "N passed, N failed"
//   ini-kill-writer write DIR SAVES          goes on with the sequence (SAVES 0: until killed)
//
// Save g writes Value(g) into every one of kSlots keys across sections, all
// of different lengths from the save before, behind an untouched padding
// section; the file in state g is exactly Render(g).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

constexpr int kSlots = 12;  // a preset's values
constexpr const char* kFileName = "kill.ini";

std::string SectionOf(int slot) { return "section" + std::to_string(slot / 4); }
std::string KeyOf(int slot) { return "key" + std::to_string(slot % 4); }

// Lengths vary from save to save, so a cut or a mix shows in the size too.
std::string Value(long generation) {
  const std::size_t length = static_cast<std::size_t>((generation * 7919) % 3001);
  return "g" + std::to_string(generation) + "-" + std::string(length, static_cast<char>('a' + generation % 26));
}

std::string Render(long state) {
  std::string text = "[padding]\r\n";
  for (int i = 0; i < 200; ++i) text += "; " + std::string(1000, 'p') + "\r\n";
  for (int slot = 0; slot < kSlots; ++slot)
    text += (slot % 4 == 0 ? "[" + SectionOf(slot) + "]\r\n" : "") + KeyOf(slot) + "=" + Value(state) + "\r\n";
  return text;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// The state the file is in, or -1 when it is none of them or half a save.
long StateOf(const std::string& bytes) {
  const plat::ini::IniText text(bytes);
  const auto v = text.FindValue(SectionOf(0), KeyOf(0));
  const long state = v && v->size() > 1 ? std::atol(std::string(v->substr(1)).c_str()) : -1;
  return state >= 0 && Render(state) == bytes ? state : -1;
}

long TemporaryFiles(const fs::path& dir) {
  return std::count_if(fs::directory_iterator(dir), {}, [](const auto& e) { return e.path().extension() == ".tmp"; });
}

int Write(const fs::path& dir, long saves) {
  const std::string path = (dir / kFileName).string();
  long state = StateOf(ReadAll(path));
  if (state < 0) return 2;
  plat::IniStore store;
  for (long i = 0; saves <= 0 || i < saves; ++i) {
    store.BeginEdit(path.c_str());
    ++state;
    for (int slot = 0; slot < kSlots; ++slot)
      store.WriteString(SectionOf(slot).c_str(), KeyOf(slot).c_str(), Value(state).c_str(), path.c_str());
    if (!store.CommitEdit()) return 3;
  }
  return 0;
}

// Runs the writer, kills it after random delays and checks what each kill
// left; a last writer that runs to its end leaves no temporary file at all.
int Drive(const fs::path& dir, const char* self, int kills, unsigned seed) {
  fs::create_directories(dir);
  std::ofstream(dir / kFileName, std::ios::binary) << Render(0);
  long lastState = 0;
  int failures = 0;
  const auto expect = [&](bool ok, const char* what) {
    failures += !ok;
    if (!ok) std::printf("FAIL: %s\n", what);
  };
  // A writer of `saves` saves (0: until killed), killed after `killMicros`
  // unless that is negative; the file it leaves must be a state of the
  // sequence, never older than the last one seen. Returns its wait status.
  const auto run = [&](long saves, long killMicros) {
    const pid_t pid = fork();
    if (pid == 0) {
      execl("/proc/self/exe", self, "write", dir.c_str(), std::to_string(saves).c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    if (killMicros >= 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(killMicros));  // a random moment, not a wait
      kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);  // reaped, so the next writer sees it gone
    const long state = StateOf(ReadAll(dir / kFileName));
    expect(state >= 0, "the file is no state of the sequence (cut or mixed)");
    expect(state >= lastState, "the file went back to an older state");
    lastState = std::max(lastState, state);
    return status;
  };
  const auto start = std::chrono::steady_clock::now();
  expect(run(20, -1) == 0, "the writer failed on its own");
  const long microsPerSave = static_cast<long>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count() / 20);
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> delay(0, 2000 + 4 * microsPerSave);
  for (int i = 0; i < kills; ++i) {
    expect(WIFSIGNALED(run(0, delay(random))), "the writer ended before it was killed");
    expect(TemporaryFiles(dir) <= 1, "temporary files pile up");
  }
  expect(run(3, -1) == 0, "the last writer failed");
  expect(TemporaryFiles(dir) == 0, "a temporary file outlived the last writer");
  std::printf("%d kills, %ld saves, %ld us a save\n", kills, lastState, microsPerSave);
  std::printf("%d passed, %d failed\n", kills + 1 - failures, failures);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 64;
  if (std::string(argv[1]) == "write") return Write(argv[2], std::atol(argv[3]));
  const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atol(argv[4])) : std::random_device{}();
  std::printf("seed %u\n", seed);
  return Drive(argv[2], argv[0], std::atoi(argv[3]), seed);
}
