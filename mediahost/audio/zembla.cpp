// The exported calls: a table of streams by handle and the one output.
#include "mediahost/audio/zembla.h"

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

#include "mediahost/audio/Mixer.h"

using zembla::Channel;
using zembla::Decoder;
using zembla::FileKind;
using zembla::Mixer;

namespace {

thread_local int lastError = ZEMBLA_OK;

template <typename T>
T fail(int code, T result) {
  lastError = code;
  return result;
}
template <typename T>
T succeed(T result) {
  lastError = ZEMBLA_OK;
  return result;
}

constexpr QWORD kBadPosition = QWORD(-1);
constexpr DWORD kNoData = DWORD(-1);
constexpr DWORD kDefaultDsdRate = 44100;

struct Library {
  std::mutex mutex;
  std::map<DWORD, std::shared_ptr<Channel>> channels;
  DWORD nextHandle = 1;
  std::unique_ptr<Mixer> mixer;
};

Library& library() {
  static Library* lib = new Library;  // lives to the end; streams may be used from exit handlers
  return *lib;
}

std::shared_ptr<Channel> findChannel(DWORD handle) {
  Library& lib = library();
  std::lock_guard<std::mutex> lock(lib.mutex);
  auto it = lib.channels.find(handle);
  return it == lib.channels.end() ? nullptr : it->second;
}

HSTREAM createStream(FileKind kind, BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags,
                     DWORD dsdFreq = 0) {
  if (mem || !file || offset || length) return fail(ZEMBLA_ERROR_PARAM, HSTREAM(0));
  const bool decodeOnly = flags & ZEMBLA_STREAM_DECODE;
  Library& lib = library();
  int outputRate = 0;
  {
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (lib.mixer) outputRate = lib.mixer->rate();
  }
  if (!decodeOnly && !outputRate) return fail(ZEMBLA_ERROR_INIT, HSTREAM(0));

  auto channel = std::make_shared<Channel>();
  channel->filename = static_cast<const char*>(file);
  channel->flags = flags;
  int error = ZEMBLA_OK;
  channel->decoder = Decoder::open(channel->filename, kind, error);
  if (!channel->decoder) return fail(error, HSTREAM(0));
  const zembla::SourceInfo& info = channel->decoder->info();
  // DSD turns into PCM at the rate asked for; everything else keeps its own.
  channel->freq = kind == FileKind::Dsd ? int(dsdFreq ? dsdFreq : kDefaultDsdRate) : info.rate;
  channel->channels = info.channels;
  zembla::SampleFormat format = decodeOnly
                                    ? zembla::SampleFormat{channel->freq, channel->channels,
                                                           bool(flags & ZEMBLA_SAMPLE_FLOAT)}
                                    : zembla::SampleFormat{outputRate, zembla::kOutputChannels, true};
  if (!channel->decoder->setOutput(format)) return fail(ZEMBLA_ERROR_FORMAT, HSTREAM(0));

  std::lock_guard<std::mutex> lock(lib.mutex);
  if (!decodeOnly) {
    if (!lib.mixer) return fail(ZEMBLA_ERROR_INIT, HSTREAM(0));  // output freed meanwhile
    lib.mixer->attach(channel);
  }
  DWORD handle = lib.nextHandle++;
  if (lib.nextHandle == 0) lib.nextHandle = 1;
  lib.channels[handle] = channel;
  return succeed(handle);
}

double secondsOf(const Channel& c, QWORD bytes) { return double(bytes) / double(c.bytesPerSecond()); }

QWORD bytesOf(const Channel& c, double seconds) {
  const uint64_t frameBytes = uint64_t(c.channels) * 2;
  return QWORD(std::llround(seconds * c.freq)) * frameBytes;
}

}  // namespace

extern "C" {

DWORD BASS_GetVersion(void) { return ZEMBLA_VERSION; }

BOOL BASS_Init(int device, DWORD freq, DWORD, void*, const void*) {
  if (device < -1 || device > 1 || freq == 0 || freq > 384000) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  Library& lib = library();
  std::lock_guard<std::mutex> lock(lib.mutex);
  if (lib.mixer) return fail(ZEMBLA_ERROR_ALREADY, BOOL(0));
  std::optional<zembla::OutputSpec> spec =
      device == 0 ? zembla::OutputSpec{zembla::OutputSpec::Kind::Null, {}}
                  : zembla::parseOutputSpec(std::getenv("ZEMBLA_OUTPUT"));
  if (!spec) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  std::string why;
  std::unique_ptr<zembla::OutputSink> sink = zembla::openOutputSink(*spec, int(freq), why);
  if (!sink) {
    if (std::getenv("ZEMBLA_DEBUG")) std::fprintf(stderr, "zembla: %s\n", why.c_str());
    return fail(ZEMBLA_ERROR_DEVICE, BOOL(0));
  }
  lib.mixer = std::make_unique<Mixer>(std::move(sink), int(freq));
  return succeed(BOOL(1));
}

BOOL BASS_Free(void) {
  Library& lib = library();
  std::unique_ptr<Mixer> mixer;
  std::map<DWORD, std::shared_ptr<Channel>> channels;
  {
    std::lock_guard<std::mutex> lock(lib.mutex);
    if (!lib.mixer) return fail(ZEMBLA_ERROR_INIT, BOOL(0));
    mixer = std::move(lib.mixer);
    channels.swap(lib.channels);
  }
  mixer.reset();  // joins the output thread before the streams go
  return succeed(BOOL(1));
}

int BASS_ErrorGetCode(void) { return lastError; }

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return createStream(FileKind::Plain, mem, file, offset, length, flags);
}
HSTREAM BASS_DSD_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags, DWORD freq) {
  return createStream(FileKind::Dsd, mem, file, offset, length, flags, freq);
}
HSTREAM BASS_FLAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return createStream(FileKind::Flac, mem, file, offset, length, flags);
}
HSTREAM BASS_APE_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return createStream(FileKind::Ape, mem, file, offset, length, flags);
}
HSTREAM BASS_AAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return createStream(FileKind::Aac, mem, file, offset, length, flags);
}
HSTREAM BASS_MP4_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return createStream(FileKind::Mp4, mem, file, offset, length, flags);
}
HSTREAM BASS_AC3_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  return createStream(FileKind::Ac3, mem, file, offset, length, flags);
}

BOOL BASS_StreamFree(HSTREAM handle) {
  Library& lib = library();
  std::shared_ptr<Channel> channel;
  {
    std::lock_guard<std::mutex> lock(lib.mutex);
    auto it = lib.channels.find(handle);
    if (it == lib.channels.end()) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
    channel = it->second;
    lib.channels.erase(it);
    if (lib.mixer) lib.mixer->detach(channel.get());
  }
  std::lock_guard<std::mutex> lock(channel->mutex);
  channel->state = Channel::State::Stopped;
  return succeed(BOOL(1));
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
  if (channel->isDecodeOnly()) return fail(ZEMBLA_ERROR_DECODE, BOOL(0));
  {
    std::lock_guard<std::mutex> lock(channel->mutex);
    if (restart && !channel->decoder->seek(0)) return fail(ZEMBLA_ERROR_POSITION, BOOL(0));
    channel->state = Channel::State::Playing;
  }
  Library& lib = library();
  std::lock_guard<std::mutex> lock(lib.mutex);
  if (!lib.mixer) return fail(ZEMBLA_ERROR_INIT, BOOL(0));
  lib.mixer->wake();
  return succeed(BOOL(1));
}

BOOL BASS_ChannelPause(DWORD handle) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
  if (channel->isDecodeOnly()) return fail(ZEMBLA_ERROR_DECODE, BOOL(0));
  std::lock_guard<std::mutex> lock(channel->mutex);
  if (channel->state != Channel::State::Playing) return fail(ZEMBLA_ERROR_NOTPLAYING, BOOL(0));
  channel->state = Channel::State::Paused;
  return succeed(BOOL(1));
}

DWORD BASS_ChannelIsActive(DWORD handle) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, DWORD(ZEMBLA_ACTIVE_STOPPED));
  std::lock_guard<std::mutex> lock(channel->mutex);
  if (channel->isDecodeOnly())
    return succeed(channel->decoder->atEnd() ? DWORD(ZEMBLA_ACTIVE_STOPPED) : DWORD(ZEMBLA_ACTIVE_PLAYING));
  switch (channel->state) {
    case Channel::State::Playing:
      return succeed(DWORD(ZEMBLA_ACTIVE_PLAYING));
    case Channel::State::Paused:
      return succeed(DWORD(ZEMBLA_ACTIVE_PAUSED));
    case Channel::State::Stopped:
      break;
  }
  return succeed(DWORD(ZEMBLA_ACTIVE_STOPPED));
}

QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, kBadPosition);
  if (mode != ZEMBLA_POS_BYTE) return fail(ZEMBLA_ERROR_PARAM, kBadPosition);
  std::lock_guard<std::mutex> lock(channel->mutex);
  const double seconds = channel->decoder->info().lengthSeconds;
  if (seconds <= 0) return fail(ZEMBLA_ERROR_NOTAVAIL, kBadPosition);
  return succeed(bytesOf(*channel, seconds));
}

QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, kBadPosition);
  if (mode != ZEMBLA_POS_BYTE) return fail(ZEMBLA_ERROR_PARAM, kBadPosition);
  std::lock_guard<std::mutex> lock(channel->mutex);
  return succeed(bytesOf(*channel, channel->decoder->position()));
}

BOOL BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
  if (mode != ZEMBLA_POS_BYTE) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  std::lock_guard<std::mutex> lock(channel->mutex);
  if (!channel->decoder->seek(secondsOf(*channel, pos))) return fail(ZEMBLA_ERROR_POSITION, BOOL(0));
  return succeed(BOOL(1));
}

double BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, -1.0);
  return succeed(secondsOf(*channel, pos));
}

QWORD BASS_ChannelSeconds2Bytes(DWORD handle, double seconds) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, kBadPosition);
  if (!(seconds >= 0)) return fail(ZEMBLA_ERROR_PARAM, kBadPosition);
  return succeed(bytesOf(*channel, seconds));
}

BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
  if (attrib != ZEMBLA_ATTRIB_VOL) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  if (!(value >= 0) || !std::isfinite(value)) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  std::lock_guard<std::mutex> lock(channel->mutex);
  channel->volume = value;
  return succeed(BOOL(1));
}

BOOL BASS_ChannelGetAttribute(DWORD handle, DWORD attrib, float* value) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
  if (!value) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  std::lock_guard<std::mutex> lock(channel->mutex);
  switch (attrib) {
    case ZEMBLA_ATTRIB_FREQ:
      *value = float(channel->freq);
      return succeed(BOOL(1));
    case ZEMBLA_ATTRIB_VOL:
      *value = channel->volume;
      return succeed(BOOL(1));
    case ZEMBLA_ATTRIB_DSD_RATE:
      if (!channel->decoder->info().dsdRate) return fail(ZEMBLA_ERROR_NOTAVAIL, BOOL(0));
      *value = float(channel->decoder->info().dsdRate);
      return succeed(BOOL(1));
    default:
      return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  }
}

BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, BOOL(0));
  if (!info) return fail(ZEMBLA_ERROR_PARAM, BOOL(0));
  std::lock_guard<std::mutex> lock(channel->mutex);
  const zembla::SourceInfo& source = channel->decoder->info();
  info->freq = DWORD(channel->freq);
  info->chans = DWORD(channel->channels);
  info->flags = channel->flags;
  info->ctype = source.ctype;
  info->origres = DWORD(source.bitsPerSample);
  info->filename = channel->filename.c_str();
  return succeed(BOOL(1));
}

const char* BASS_ChannelGetTags(DWORD handle, DWORD tags) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, static_cast<const char*>(nullptr));
  // The texts live as long as the stream; no lock needed, they never change.
  const zembla::SourceInfo& source = channel->decoder->info();
  const std::string* text = nullptr;
  if (source.ctype == ZEMBLA_CTYPE_DSD) {
    if (tags == ZEMBLA_TAG_DSD_ARTIST) text = &source.artist;
    if (tags == ZEMBLA_TAG_DSD_TITLE) text = &source.title;
    if (tags >= ZEMBLA_TAG_DSD_COMMENT && tags - ZEMBLA_TAG_DSD_COMMENT < source.comments.size())
      text = &source.comments[tags - ZEMBLA_TAG_DSD_COMMENT];
  }
  if (!text || text->empty()) return fail(ZEMBLA_ERROR_NOTAVAIL, static_cast<const char*>(nullptr));
  return succeed(text->c_str());
}

DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length) {
  auto channel = findChannel(handle);
  if (!channel) return fail(ZEMBLA_ERROR_HANDLE, kNoData);
  if (!channel->isDecodeOnly()) return fail(ZEMBLA_ERROR_DECODE, kNoData);
  if (!buffer) return fail(ZEMBLA_ERROR_PARAM, kNoData);
  std::lock_guard<std::mutex> lock(channel->mutex);
  Decoder& decoder = *channel->decoder;
  const DWORD frameBytes = DWORD(decoder.output().bytesPerFrame());
  const size_t frames = decoder.read(buffer, length / frameBytes);
  if (frames == 0) return fail(ZEMBLA_ERROR_ENDED, kNoData);
  return succeed(DWORD(frames * frameBytes));
}

}  // extern "C"
