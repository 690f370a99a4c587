// libzembla: the audio library the media host plays through.
//
// Plain C interface so that the player can load it like any system library.
// Streams decode a file (FFmpeg) and play it on one shared output, chosen by
// the environment variable ZEMBLA_OUTPUT when the output is initialised:
//   alsa[:DEVICE]   ALSA playback device (default "default")
//   null            discard the sound, paced in real time
//   wav:FILE        write 16-bit stereo PCM to FILE, paced in real time
// Every call reports failure by its return value; BASS_ErrorGetCode then
// tells why (kept per thread).
#ifndef MEDIAHOST_AUDIO_ZEMBLA_H
#define MEDIAHOST_AUDIO_ZEMBLA_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define ZEMBLA_API __attribute__((visibility("default")))
#else
#define ZEMBLA_API
#endif

typedef uint32_t DWORD;
typedef uint64_t QWORD;
typedef int BOOL;
typedef DWORD HSTREAM;

// Library version: major in bits 24-31, minor in 16-23, build below.
#define ZEMBLA_VERSION 0x02040001u

// Stream creation flags.
#define ZEMBLA_SAMPLE_FLOAT 0x100u     // decode channels: 32-bit float samples instead of 16-bit
#define ZEMBLA_STREAM_DECODE 0x200000u // not played: samples are pulled with BASS_ChannelGetData

// Position modes.
#define ZEMBLA_POS_BYTE 0u

// Channel states (BASS_ChannelIsActive).
#define ZEMBLA_ACTIVE_STOPPED 0u
#define ZEMBLA_ACTIVE_PLAYING 1u
#define ZEMBLA_ACTIVE_PAUSED 3u

// Channel attributes.
#define ZEMBLA_ATTRIB_FREQ 1u       // sample rate of the stream (read only)
#define ZEMBLA_ATTRIB_VOL 2u        // volume, 0 silent, 1 unchanged
#define ZEMBLA_ATTRIB_DSD_RATE 0x14001u // DSD streams: the file's DSD bit rate in Hz

// Channel types (BASS_CHANNELINFO.ctype).
#define ZEMBLA_CTYPE_PCM 0x10001u
#define ZEMBLA_CTYPE_MP3 0x10005u
#define ZEMBLA_CTYPE_OGG 0x10002u
#define ZEMBLA_CTYPE_AIFF 0x10006u
#define ZEMBLA_CTYPE_FLAC 0x10900u
#define ZEMBLA_CTYPE_APE 0x10700u
#define ZEMBLA_CTYPE_AAC 0x10b00u
#define ZEMBLA_CTYPE_MP4 0x10b01u
#define ZEMBLA_CTYPE_AC3 0x11000u
#define ZEMBLA_CTYPE_DSD 0x11700u

// Tags (BASS_ChannelGetTags), DSD streams.
#define ZEMBLA_TAG_DSD_ARTIST 0x13000u
#define ZEMBLA_TAG_DSD_TITLE 0x13001u
#define ZEMBLA_TAG_DSD_COMMENT 0x13100u // + n: the n-th comment, "KIND: TEXT"

// Error codes (BASS_ErrorGetCode).
enum {
  ZEMBLA_OK = 0,
  ZEMBLA_ERROR_INIT = 1,       // output not initialised
  ZEMBLA_ERROR_ALREADY = 2,    // output already initialised
  ZEMBLA_ERROR_DEVICE = 3,     // output device or file cannot be opened
  ZEMBLA_ERROR_HANDLE = 4,     // no such stream
  ZEMBLA_ERROR_FILEOPEN = 5,   // the file cannot be opened
  ZEMBLA_ERROR_FORMAT = 6,     // not a file of the kind this creator reads, or corrupt
  ZEMBLA_ERROR_CODEC = 7,      // no decoder for the file's audio
  ZEMBLA_ERROR_POSITION = 8,   // position outside the stream
  ZEMBLA_ERROR_PARAM = 9,      // an argument is not supported
  ZEMBLA_ERROR_NOTAVAIL = 10,  // the value asked for does not exist
  ZEMBLA_ERROR_NOTPLAYING = 11,
  ZEMBLA_ERROR_DECODE = 12,    // the call needs a played stream, or a decode stream
  ZEMBLA_ERROR_ENDED = 13,     // a decode stream has no more samples
  ZEMBLA_ERROR_UNKNOWN = -1
};

typedef struct BASS_CHANNELINFO {
  DWORD freq;    // sample rate of the decoded stream
  DWORD chans;   // channels of the decoded stream
  DWORD flags;   // creation flags
  DWORD ctype;   // ZEMBLA_CTYPE_*
  DWORD origres; // bits per sample of the source, 0 when not applicable
  const char* filename;
} BASS_CHANNELINFO;

ZEMBLA_API DWORD BASS_GetVersion(void);
// device -1 or 1: the output of ZEMBLA_OUTPUT; 0: the null output.
ZEMBLA_API BOOL BASS_Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid);
ZEMBLA_API BOOL BASS_Free(void);
ZEMBLA_API int BASS_ErrorGetCode(void);

// Stream creators: mem must be 0 and file a path in UTF-8; offset and length
// 0 (the whole file). Each returns a handle, or 0 on failure.
ZEMBLA_API HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
ZEMBLA_API HSTREAM BASS_DSD_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags,
                                             DWORD freq);
ZEMBLA_API HSTREAM BASS_FLAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
ZEMBLA_API HSTREAM BASS_APE_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
ZEMBLA_API HSTREAM BASS_AAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
ZEMBLA_API HSTREAM BASS_MP4_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
ZEMBLA_API HSTREAM BASS_AC3_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
ZEMBLA_API BOOL BASS_StreamFree(HSTREAM handle);

ZEMBLA_API BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
ZEMBLA_API BOOL BASS_ChannelPause(DWORD handle);
ZEMBLA_API DWORD BASS_ChannelIsActive(DWORD handle);

// Lengths and positions are bytes of the stream as 16-bit samples at its own
// rate and channel count; (QWORD)-1 on failure.
ZEMBLA_API QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode);
ZEMBLA_API QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode);
ZEMBLA_API BOOL BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode);
ZEMBLA_API double BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos);
ZEMBLA_API QWORD BASS_ChannelSeconds2Bytes(DWORD handle, double seconds);

ZEMBLA_API BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value);
ZEMBLA_API BOOL BASS_ChannelGetAttribute(DWORD handle, DWORD attrib, float* value);
ZEMBLA_API BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info);
ZEMBLA_API const char* BASS_ChannelGetTags(DWORD handle, DWORD tags);

// Decode streams only: copies up to length bytes of samples; returns the
// number copied, or (DWORD)-1 at the end or on failure.
ZEMBLA_API DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length);

#ifdef __cplusplus
}
#endif

#endif
