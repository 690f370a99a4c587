#pragma once
// The two preset file formats: one preset (.dsps) and all presets (.dspa).
// Both are images of parameter-image records behind a 16-byte header. The
// byte layer (Encode/Decode/Apply) does no I/O; Read/Write add the file and
// the user's messages.
//
// Model access (Encode, Apply) must run under the link lock while a link is
// running; reading and writing files need no lock.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CKTV_Data;
class ParamImage;

namespace presets {

enum class PresetFormat { kSingle, kAll };

constexpr size_t kHeaderSize = 16;  // length byte 15, then the header text
constexpr const char* kHeaderText = "DSP-330-PRO-1.0";
constexpr size_t kSingleFileSize = 3404;
constexpr size_t kAllFileSize = 71246;
// Offsets in an all-presets file.
constexpr size_t kAllSystemHead = 16, kAllStoredRecords = 48, kAllCurrentRecord = 67808, kAllListeningDelays = 71196;
constexpr size_t kListeningPositionByte = 48;  // inside the delay memory
constexpr int kMaxListeningPosition = 3;
constexpr size_t kTitleChars = 13;  // of the file title handed on as the preset name

size_t FileSize(PresetFormat format);
const char* Extension(PresetFormat format);  // "dsps", "dspa"

// The format named by the text after the last '.' of the path, compared
// exactly ("dsps", "dspa"); nothing for any other text.
std::optional<PresetFormat> FormatOfPath(const std::string& path);
// The path with ".dsps"/".dspa" appended unless the name already contains it.
std::string WithExtension(const std::string& path, PresetFormat format);
// The file name without folder and extension, cut to its first 13 characters.
std::string FileTitle(const std::string& path);

// Packs every object into the image, marks the records written as saved
// (byte 371) and returns the whole file.
std::vector<uint8_t> Encode(PresetFormat format, CKTV_Data& model);
// True when the bytes hold a whole file of the format (its header and every
// record). Trailing bytes after the last record are ignored.
bool IsValid(PresetFormat format, const std::vector<uint8_t>& file);
// Writes a valid file into the image and applies the current record to the
// objects (without the effect record); an all-presets file also limits the
// listening position to 3.
void Apply(PresetFormat format, const std::vector<uint8_t>& file, CKTV_Data& model);

// The format's load and save messages, in the current language.
void ShowLoadError(PresetFormat format);
void ShowSaveError(PresetFormat format);

// Reads and validates the whole file; on failure shows the load message.
std::optional<std::vector<uint8_t>> ReadFile(const std::string& path, PresetFormat format);
// Writes to a temporary file beside the target and renames it over the
// target, so a failure leaves any earlier file as it was; on failure shows
// the save message.
bool WriteFile(const std::string& path, PresetFormat format, const std::vector<uint8_t>& file);

}  // namespace presets
