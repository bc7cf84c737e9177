// Whole-file reads and all-or-nothing replacement for the INI store.
#pragma once
#include <cstddef>
#include <string>

namespace plat::ini {

enum class ReadStatus { kOk, kMissing, kFailed };

// Reads the whole file; kFailed when it cannot be read or exceeds maxBytes.
ReadStatus ReadWholeFile(const char* path, std::size_t maxBytes, std::string& out);

// Writes bytes to a fresh temporary file beside path, flushes it to the
// disk and renames it over path, so that a reader (or a crash) sees either
// the old file or the new one, never a partial one. Refuses a target that
// exists but is not writable.
bool ReplaceFileAtomically(const char* path, const std::string& bytes);

}  // namespace plat::ini
