// One audio file decoded by FFmpeg into interleaved PCM of a chosen format.
#ifndef MEDIAHOST_AUDIO_DECODER_H
#define MEDIAHOST_AUDIO_DECODER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

namespace zembla {

// The kinds of file the stream creators accept; each reads only its own kind.
enum class FileKind { Plain, Dsd, Flac, Ape, Aac, Mp4, Ac3 };

struct SampleFormat {
  int rate = 0;
  int channels = 0;
  bool isFloat = false;
  int bytesPerFrame() const { return channels * (isFloat ? 4 : 2); }
};

struct SourceInfo {
  int rate = 0;          // rate of the decoded source (DSD: the PCM rate FFmpeg gives)
  int channels = 0;
  int bitsPerSample = 0; // of the source, 0 when it has none (lossy)
  double lengthSeconds = 0;
  uint32_t ctype = 0;    // ZEMBLA_CTYPE_*
  uint32_t dsdRate = 0;  // DSD files: bit rate per channel in Hz
  std::string artist;
  std::string title;
  std::vector<std::string> comments;
};

class Decoder {
 public:
  // Opens and validates (decodes the first frame of) path as a file of kind.
  // On failure returns null and sets error to a ZEMBLA_ERROR_* code.
  static std::unique_ptr<Decoder> open(const std::string& path, FileKind kind, int& error);
  ~Decoder();
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  const SourceInfo& info() const { return info_; }

  // Chooses what read() produces; call before the first read.
  bool setOutput(const SampleFormat& format);
  const SampleFormat& output() const { return out_; }

  // Reads up to frames frames into out; fewer only at the end of the file.
  size_t read(void* out, size_t frames);
  bool atEnd() const { return ended_ && bufPos_ >= bufFrames_; }

  // Moves to seconds from the start; false when that is outside the file.
  bool seek(double seconds);
  // Seconds of the file handed out by read() so far.
  double position() const;

 private:
  Decoder() = default;
  bool decodeNextFrame();
  bool fillBuffer();
  size_t convert(AVFrame* frame);
  bool resetResampler();

  AVFormatContext* fmt_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  SwrContext* swr_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  int streamIndex_ = -1;
  bool framePending_ = false;  // frame_ holds a decoded frame not yet converted
  bool drained_ = false;       // the end-of-file packet has been sent
  bool ended_ = false;
  double skipUntil_ = -1;      // after a seek: drop output before this time

  SourceInfo info_;
  SampleFormat out_;
  std::vector<uint8_t> buf_;
  size_t bufFrames_ = 0;
  size_t bufPos_ = 0;
  double basePosition_ = 0;   // seconds at the last seek
  uint64_t framesSinceBase_ = 0;
};

}  // namespace zembla

#endif
