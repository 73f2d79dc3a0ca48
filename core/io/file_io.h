#pragma once
// The file operations the program needs: existence tests, folder creation,
// reading a whole file and replacing a whole file. Failures throw FileError
// with a message naming the file and the reason.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kivrel {

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A regular file (or a link to one).
bool FileExists(const std::string& path);
// Anything at all under that name, a dangling link included.
bool PathExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder (one level); throws when it cannot.
void CreateDirectory(const std::string& path);
// Creates the folder and any missing parents; an existing folder is fine.
void CreateDirectories(const std::string& path);

std::string ReadWholeFile(const std::string& path);

// Replaces `path` with `data` so that the file is always either the old one or
// the new one, whole: the data goes to a temporary file in the same folder,
// is flushed to disk and then renamed over `path`.
void WriteFileAtomically(const std::string& path, std::string_view data);

// Points inside WriteFileAtomically at which tests inject faults: the hook
// may return an errno value, which fails that step as the system call would
// (ENOSPC mid-write is a full disk), or end the process there.
enum class SaveStage { BeforeWrite, MidWrite, BeforeRename, AfterRename };
using SaveFaultHook = int (*)(SaveStage stage);
// Installs a hook called at each stage (nullptr removes it); for tests only.
void SetSaveFaultHook(SaveFaultHook hook);

}  // namespace kivrel
