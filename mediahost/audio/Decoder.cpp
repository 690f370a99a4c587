#include "mediahost/audio/Decoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "mediahost/audio/zembla.h"

namespace zembla {
namespace {

// Which demuxers (and, where it matters, codecs) each creator reads, and the
// channel type it reports.
struct KindRule {
  FileKind kind;
  const char* demuxer;
  uint32_t ctype;
  std::vector<AVCodecID> codecs;  // empty: any
};

const std::vector<KindRule>& kindRules() {
  static const std::vector<KindRule> rules = {
      {FileKind::Plain, "mp3", ZEMBLA_CTYPE_MP3, {AV_CODEC_ID_MP3, AV_CODEC_ID_MP2, AV_CODEC_ID_MP1}},
      {FileKind::Plain, "wav", ZEMBLA_CTYPE_PCM, {}},
      {FileKind::Plain, "aiff", ZEMBLA_CTYPE_AIFF, {}},
      {FileKind::Plain, "ogg", ZEMBLA_CTYPE_OGG, {AV_CODEC_ID_VORBIS, AV_CODEC_ID_OPUS}},
      {FileKind::Dsd, "dsf", ZEMBLA_CTYPE_DSD, {AV_CODEC_ID_DSD_LSBF_PLANAR, AV_CODEC_ID_DSD_MSBF_PLANAR}},
      {FileKind::Dsd, "iff", ZEMBLA_CTYPE_DSD, {AV_CODEC_ID_DSD_LSBF, AV_CODEC_ID_DSD_MSBF}},
      {FileKind::Flac, "flac", ZEMBLA_CTYPE_FLAC, {AV_CODEC_ID_FLAC}},
      {FileKind::Ape, "ape", ZEMBLA_CTYPE_APE, {AV_CODEC_ID_APE}},
      {FileKind::Aac, "aac", ZEMBLA_CTYPE_AAC, {AV_CODEC_ID_AAC}},
      {FileKind::Mp4, "mov,mp4,m4a,3gp,3g2,mj2", ZEMBLA_CTYPE_MP4, {AV_CODEC_ID_AAC}},
      {FileKind::Ac3, "ac3", ZEMBLA_CTYPE_AC3, {AV_CODEC_ID_AC3}},
      {FileKind::Ac3, "eac3", ZEMBLA_CTYPE_AC3, {AV_CODEC_ID_EAC3}},
  };
  return rules;
}

const KindRule* findRule(FileKind kind, const char* demuxer, AVCodecID codec) {
  for (const KindRule& rule : kindRules()) {
    if (rule.kind != kind || std::strcmp(rule.demuxer, demuxer) != 0) continue;
    if (rule.codecs.empty() || std::find(rule.codecs.begin(), rule.codecs.end(), codec) != rule.codecs.end())
      return &rule;
  }
  return nullptr;
}

bool isDsdCodec(AVCodecID id) {
  return id == AV_CODEC_ID_DSD_LSBF || id == AV_CODEC_ID_DSD_MSBF || id == AV_CODEC_ID_DSD_LSBF_PLANAR ||
         id == AV_CODEC_ID_DSD_MSBF_PLANAR;
}

std::string metadataValue(AVDictionary* a, AVDictionary* b, const char* key) {
  for (AVDictionary* dict : {a, b}) {
    if (AVDictionaryEntry* e = av_dict_get(dict, key, nullptr, 0)) return e->value;
  }
  return {};
}

void quietFfmpegOnce() {
  static const bool done = [] {
    av_log_set_level(std::getenv("ZEMBLA_DEBUG") ? AV_LOG_INFO : AV_LOG_QUIET);
    return true;
  }();
  (void)done;
}

// A stream that will not give a single frame after this many damaged packets
// in a row is treated as ended rather than read forever.
constexpr int kMaxBadPacketsInRow = 200;

}  // namespace

std::unique_ptr<Decoder> Decoder::open(const std::string& path, FileKind kind, int& error) {
  quietFfmpegOnce();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec) || ::access(path.c_str(), R_OK) != 0) {
    error = ZEMBLA_ERROR_FILEOPEN;
    return nullptr;
  }
  std::unique_ptr<Decoder> d(new Decoder);
  error = ZEMBLA_ERROR_FORMAT;
  if (avformat_open_input(&d->fmt_, path.c_str(), nullptr, nullptr) < 0) {
    d->fmt_ = nullptr;
    return nullptr;
  }
  if (avformat_find_stream_info(d->fmt_, nullptr) < 0) return nullptr;
  d->streamIndex_ = av_find_best_stream(d->fmt_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (d->streamIndex_ < 0) return nullptr;
  AVStream* stream = d->fmt_->streams[d->streamIndex_];
  const AVCodecParameters* par = stream->codecpar;
  const KindRule* rule = findRule(kind, d->fmt_->iformat->name, par->codec_id);
  if (!rule) return nullptr;
  for (unsigned i = 0; i < d->fmt_->nb_streams; ++i)
    if (int(i) != d->streamIndex_) d->fmt_->streams[i]->discard = AVDISCARD_ALL;

  const AVCodec* codec = avcodec_find_decoder(par->codec_id);
  error = ZEMBLA_ERROR_CODEC;
  if (!codec) return nullptr;
  d->codec_ = avcodec_alloc_context3(codec);
  if (!d->codec_ || avcodec_parameters_to_context(d->codec_, par) < 0) return nullptr;
  d->codec_->pkt_timebase = stream->time_base;
  if (avcodec_open2(d->codec_, codec, nullptr) < 0) return nullptr;
  d->frame_ = av_frame_alloc();
  d->packet_ = av_packet_alloc();
  if (!d->frame_ || !d->packet_) return nullptr;

  // A file whose header parses but whose audio does not decode is no stream.
  error = ZEMBLA_ERROR_FORMAT;
  if (!d->decodeNextFrame() || d->codec_->sample_rate <= 0 || d->codec_->ch_layout.nb_channels <= 0)
    return nullptr;
  d->framePending_ = true;

  SourceInfo& info = d->info_;
  info.rate = d->codec_->sample_rate;
  info.channels = d->codec_->ch_layout.nb_channels;
  info.bitsPerSample = par->bits_per_raw_sample ? par->bits_per_raw_sample : av_get_bits_per_sample(par->codec_id);
  if (isDsdCodec(par->codec_id)) {
    info.dsdRate = uint32_t(info.rate) * 8;  // FFmpeg gives one sample per DSD byte
    info.bitsPerSample = 1;
  }
  if (d->fmt_->duration != AV_NOPTS_VALUE && d->fmt_->duration > 0)
    info.lengthSeconds = double(d->fmt_->duration) / AV_TIME_BASE;
  else if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
    info.lengthSeconds = double(stream->duration) * av_q2d(stream->time_base);
  info.ctype = rule->ctype;
  info.artist = metadataValue(d->fmt_->metadata, stream->metadata, "artist");
  info.title = metadataValue(d->fmt_->metadata, stream->metadata, "title");
  std::string comment = metadataValue(d->fmt_->metadata, stream->metadata, "comment");
  if (!comment.empty()) info.comments.push_back("comment: " + comment);

  d->setOutput({info.rate, info.channels, false});
  error = 0;
  return d;
}

Decoder::~Decoder() {
  swr_free(&swr_);
  av_packet_free(&packet_);
  av_frame_free(&frame_);
  avcodec_free_context(&codec_);
  avformat_close_input(&fmt_);
}

bool Decoder::setOutput(const SampleFormat& format) {
  if (format.rate <= 0 || format.channels <= 0) return false;
  out_ = format;
  return resetResampler();
}

bool Decoder::resetResampler() {
  swr_free(&swr_);
  AVChannelLayout inLayout;
  if (codec_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_default(&inLayout, codec_->ch_layout.nb_channels);
  else
    av_channel_layout_copy(&inLayout, &codec_->ch_layout);
  AVChannelLayout outLayout;
  av_channel_layout_default(&outLayout, out_.channels);
  int rc = swr_alloc_set_opts2(&swr_, &outLayout, out_.isFloat ? AV_SAMPLE_FMT_FLT : AV_SAMPLE_FMT_S16, out_.rate,
                               &inLayout, codec_->sample_fmt, codec_->sample_rate, 0, nullptr);
  av_channel_layout_uninit(&inLayout);
  av_channel_layout_uninit(&outLayout);
  if (rc < 0 || swr_init(swr_) < 0) {
    swr_free(&swr_);
    return false;
  }
  bufFrames_ = bufPos_ = 0;
  return true;
}

bool Decoder::decodeNextFrame() {
  int badInRow = 0;
  while (true) {
    int rc = avcodec_receive_frame(codec_, frame_);
    if (rc == 0) return true;
    if (rc == AVERROR_EOF) return false;
    if (rc != AVERROR(EAGAIN)) {
      if (++badInRow > kMaxBadPacketsInRow) return false;
      continue;
    }
    if (drained_) return false;
    rc = av_read_frame(fmt_, packet_);
    if (rc < 0) {
      drained_ = true;
      avcodec_send_packet(codec_, nullptr);
      continue;
    }
    if (packet_->stream_index == streamIndex_) {
      rc = avcodec_send_packet(codec_, packet_);
      if (rc < 0 && rc != AVERROR(EAGAIN) && ++badInRow > kMaxBadPacketsInRow) {
        av_packet_unref(packet_);
        return false;
      }
    }
    av_packet_unref(packet_);
  }
}

size_t Decoder::convert(AVFrame* frame) {
  int capacity = swr_get_out_samples(swr_, frame ? frame->nb_samples : 0);
  if (capacity <= 0) return 0;
  buf_.resize(size_t(capacity) * size_t(out_.bytesPerFrame()));
  uint8_t* outPlanes[1] = {buf_.data()};
  int got = frame ? swr_convert(swr_, outPlanes, capacity, const_cast<const uint8_t**>(frame->extended_data),
                                frame->nb_samples)
                  : swr_convert(swr_, outPlanes, capacity, nullptr, 0);
  return got > 0 ? size_t(got) : 0;
}

bool Decoder::fillBuffer() {
  bufFrames_ = bufPos_ = 0;
  while (!ended_) {
    if (!framePending_ && !decodeNextFrame()) {
      ended_ = true;
      bufFrames_ = convert(nullptr);  // what the resampler still holds
      return bufFrames_ > 0;
    }
    framePending_ = false;
    double frameStart = -1;
    if (frame_->best_effort_timestamp != AV_NOPTS_VALUE)
      frameStart = double(frame_->best_effort_timestamp) * av_q2d(fmt_->streams[streamIndex_]->time_base);
    if (skipUntil_ >= 0 && frameStart >= 0 &&
        frameStart + double(frame_->nb_samples) / frame_->sample_rate <= skipUntil_) {
      av_frame_unref(frame_);
      continue;  // wholly before the seek target
    }
    bufFrames_ = convert(frame_);
    av_frame_unref(frame_);
    if (skipUntil_ >= 0) {
      if (frameStart >= 0 && frameStart < skipUntil_)
        bufPos_ = std::min(bufFrames_, size_t((skipUntil_ - frameStart) * out_.rate + 0.5));
      skipUntil_ = -1;
    }
    if (bufPos_ < bufFrames_) return true;
  }
  return false;
}

size_t Decoder::read(void* out, size_t frames) {
  uint8_t* dst = static_cast<uint8_t*>(out);
  const size_t frameBytes = size_t(out_.bytesPerFrame());
  size_t done = 0;
  while (done < frames) {
    if (bufPos_ >= bufFrames_ && !fillBuffer()) break;
    size_t n = std::min(frames - done, bufFrames_ - bufPos_);
    std::memcpy(dst + done * frameBytes, buf_.data() + bufPos_ * frameBytes, n * frameBytes);
    bufPos_ += n;
    done += n;
  }
  framesSinceBase_ += done;
  return done;
}

bool Decoder::seek(double seconds) {
  if (seconds < 0 || (info_.lengthSeconds > 0 && seconds > info_.lengthSeconds)) return false;
  AVStream* stream = fmt_->streams[streamIndex_];
  int64_t target = int64_t(seconds / av_q2d(stream->time_base));
  if (stream->start_time != AV_NOPTS_VALUE) target += stream->start_time;
  if (av_seek_frame(fmt_, streamIndex_, target, AVSEEK_FLAG_BACKWARD) < 0 &&
      av_seek_frame(fmt_, streamIndex_, target, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) < 0)
    return false;
  avcodec_flush_buffers(codec_);
  av_frame_unref(frame_);
  framePending_ = drained_ = ended_ = false;
  if (!resetResampler()) return false;
  double start = stream->start_time != AV_NOPTS_VALUE ? double(stream->start_time) * av_q2d(stream->time_base) : 0;
  skipUntil_ = seconds + start;
  basePosition_ = seconds;
  framesSinceBase_ = 0;
  return true;
}

double Decoder::position() const { return basePosition_ + double(framesSinceBase_) / out_.rate; }

}  // namespace zembla
