#pragma once
// Runs tunerctl as a program (its path comes from the build as TUNERCTL).

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

struct ProgramRun {
  int status;
  std::string out;
};

// Runs tunerctl with the arguments; stdout only, stderr joined in when asked.
inline ProgramRun Tunerctl(const std::string& args, bool withStderr = false) {
  const std::string command = std::string(TUNERCTL) + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  ProgramRun r{-1, ""};
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
  const int raw = pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

inline std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()))).string();
}

