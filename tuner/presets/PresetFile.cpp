#include "tuner/presets/PresetFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Notifier.h"

using namespace layout;

namespace presets {

namespace {

constexpr size_t kHeaderTextSize = kHeaderSize - 1;

struct Messages {
  const char *loadZh, *loadEn, *saveZh, *saveEn;
};

const Messages& MessagesOf(PresetFormat format) {
  static const Messages kSingle{"文件错误!", "error for file!", "保存音乐文件错误!", "Save MusicFile Error!"};
  static const Messages kAll{"读所有音乐文件错误!", "Read all MusicFile Error", "保存文件错误!", "save File Error!"};
  return format == PresetFormat::kSingle ? kSingle : kAll;
}

void Append(std::vector<uint8_t>& out, const uint8_t* bytes, size_t n) { out.insert(out.end(), bytes, bytes + n); }

void AppendRecord(std::vector<uint8_t>& out, ParamImage& image, int slot) {
  uint8_t* record = image.Record(slot);
  record[kSavedMarkByte] = 1;
  Append(out, record, kPresetRecordSize);
}

std::vector<uint8_t> Header() {
  std::vector<uint8_t> header{static_cast<uint8_t>(kHeaderTextSize)};
  Append(header, reinterpret_cast<const uint8_t*>(kHeaderText), kHeaderTextSize);
  return header;
}

std::string TemporaryPathBeside(const std::string& path) {
  std::random_device random;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
  return path + suffix;
}

// Writes every byte and flushes it to the disk; false on any failure.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wbx");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
#if defined(__unix__) || defined(__APPLE__)
  ok = ok && ::fsync(fileno(f)) == 0;
#endif
  return std::fclose(f) == 0 && ok;
}

}  // namespace

size_t FileSize(PresetFormat format) { return format == PresetFormat::kSingle ? kSingleFileSize : kAllFileSize; }

const char* Extension(PresetFormat format) { return format == PresetFormat::kSingle ? "dsps" : "dspa"; }

std::optional<PresetFormat> FormatOfPath(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string ext = path.substr(dot + 1);
  for (PresetFormat f : {PresetFormat::kSingle, PresetFormat::kAll}) {
    if (ext == Extension(f)) return f;
  }
  return std::nullopt;
}

std::string WithExtension(const std::string& path, PresetFormat format) {
  const std::string ext = std::string(".") + Extension(format);
  return path.find(ext) == std::string::npos ? path + ext : path;
}

std::string FileTitle(const std::string& path) {
  return std::filesystem::path(path).stem().string().substr(0, kTitleChars);
}

std::vector<uint8_t> Encode(PresetFormat format, CKTV_Data& model) {
  ParamImage& image = model.Image();
  std::vector<uint8_t> file = Header();
  file.reserve(FileSize(format));
  if (format == PresetFormat::kAll) {
    Append(file, image.SystemHead(), kSystemHeadSize);
    for (int slot = 1; slot <= kStoredRecordCount; ++slot) AppendRecord(file, image, slot);
  }
  model.PackAll();
  AppendRecord(file, image, 0);
  if (format == PresetFormat::kAll) Append(file, image.ListeningDelays(), kListeningDelaysSize);
  return file;
}

bool IsValid(PresetFormat format, const std::vector<uint8_t>& file) {
  return file.size() >= FileSize(format) && file[0] == kHeaderTextSize &&
         std::memcmp(file.data() + 1, kHeaderText, kHeaderTextSize) == 0;
}

void Apply(PresetFormat format, const std::vector<uint8_t>& file, CKTV_Data& model) {
  ParamImage& image = model.Image();
  const uint8_t* p = file.data() + kHeaderSize;
  auto take = [&p](uint8_t* to, size_t n) {
    std::memcpy(to, p, n);
    p += n;
  };
  if (format == PresetFormat::kAll) {
    take(image.SystemHead(), kSystemHeadSize);
    for (int slot = 1; slot <= kStoredRecordCount; ++slot) take(image.Record(slot), kPresetRecordSize);
  }
  take(image.Record(0), kPresetRecordSize);
  if (format == PresetFormat::kAll) {
    take(image.ListeningDelays(), kListeningDelaysSize);
    uint8_t& position = image.ListeningDelays()[kListeningPositionByte];
    if (position > kMaxListeningPosition) position = kMaxListeningPosition;
  }
  model.ApplyPreset(-1);
}

void ShowLoadError(PresetFormat format) { ShowMessage(MessagesOf(format).loadZh, MessagesOf(format).loadEn); }

void ShowSaveError(PresetFormat format) { ShowMessage(MessagesOf(format).saveZh, MessagesOf(format).saveEn); }

std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, PresetFormat format) {
  // Only the format's bytes are read: anything after them is never used.
  std::vector<uint8_t> file(FileSize(format));
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
  file.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  if (IsValid(format, file)) return file;
  ShowLoadError(format);
  return std::nullopt;
}

bool WriteFile(const std::string& path, PresetFormat format, const std::vector<uint8_t>& file) {
  const std::string temporary = TemporaryPathBeside(path);
  std::error_code error;
  if (WriteWhole(temporary, file)) {
    std::filesystem::rename(temporary, path, error);
    if (!error) return true;
  }
  std::filesystem::remove(temporary, error);
  ShowSaveError(format);
  return false;
}

}  // namespace presets
