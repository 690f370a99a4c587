#include "tests/mediahost/audio/ZemblaTestFiles.h"

#include <stdlib.h>

#include <filesystem>
#include <map>

namespace zembla_test {

const std::string& scratchDir() {
  // Kept on the heap so that it outlives the clean-up registered at exit.
  static const std::string* dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "zembla-test-XXXXXX").string();
    auto* made = new std::string(mkdtemp(pattern.data()) ? pattern : std::string());
    std::atexit([] {
      std::error_code ec;
      if (!scratchDir().empty()) std::filesystem::remove_all(scratchDir(), ec);
    });
    return made;
  }();
  return *dir;
}

std::string toneFile(const std::string& ext, double seconds) {
  if (ext == "ape") return fixtures::apeTonePath();
  static std::map<std::string, std::string> made;
  const std::string key = ext + "@" + std::to_string(seconds);
  if (auto it = made.find(key); it != made.end()) return it->second;
  const std::string path = scratchDir() + "/tone-" + std::to_string(int(seconds * 1000)) + "ms." + ext;
  fixtures::DsdFile dsd;
  dsd.tone.seconds = seconds;
  bool ok = ext == "dsf"   ? fixtures::writeDsf(path, dsd)
            : ext == "dff" ? fixtures::writeDff(path, dsd)
                           : fixtures::encodeTone(path, fixtures::Tone{1000, seconds, 44100});
  return made[key] = ok ? path : std::string();
}

}  // namespace zembla_test
