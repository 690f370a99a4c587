#pragma once
// The display codes and labels of a file's decoder and sample rate, as the
// panel, the DSP and the remote clients show them.

#include <QString>

#include <optional>

// The decoder name as the board's mplayer gives it: this machine's mplayer
// calls the MP3 decoder "mpg123" where the board's says "ffmp3float".
QString canonicalDecoder(const QString& decoder);

struct CodecLabel {
    std::optional<quint8> codecCode; // unchanged when empty
    QString label;                   // empty when unknown
    std::optional<quint8> hiFi;      // unchanged when empty
};
CodecLabel codecLabel(const QString& decoder, const QString& suffix);

struct RateLabel {
    std::optional<quint8> rateCode; // unchanged when empty
    QString label;
};
RateLabel rateLabel(const QString& sampleRate);

// "DSD64" ... "DSD1024" for a DSD bit rate in Hz; empty for other rates.
QString dsdRateName(double dsdRate);
