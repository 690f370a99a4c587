#include "mediahost/media/FileTypeLabels.h"

#include <QVector>

namespace {

struct CodecRow {
    const char* decoder;
    const char* suffix; // nullptr: any suffix
    std::optional<quint8> codecCode;
    const char* label;
    std::optional<quint8> hiFi;
};

const QVector<CodecRow>& codecRows()
{
    static const QVector<CodecRow> rows{
        {"ffdca", nullptr, 9, "DTS", 1},
        {"ffdsd", nullptr, 3, "DSD", 1},
        {"ffape", nullptr, 1, "APE", 1},
        {"ffaac", "m4a", 13, "M4A", 1},
        {"ffaac", "aac", 14, "AAC", 1},
        {"ffaac", nullptr, std::nullopt, "", 1},
        {"ffmp3float", nullptr, 5, "MP3", 0},
        {"ffac3", nullptr, 12, "AC3", 1},
        {"pcm", "wav", 0, "WAV", 1},
        {"pcm", "aiff", 11, "AIFF", 1},
        {"pcm", "MP3", 10, "AMP3", 1},
        {"pcm", "aif", 7, "AIF", 1},
        {"pcm", nullptr, std::nullopt, "", 1},
        {"ffflac", nullptr, 8, "FLAC", 1},
        {"ffvorbis", nullptr, 4, "OGG", 1},
        {"ffwmall", nullptr, 2, "WAM", 0},
        {"ffalac", nullptr, 6, "ALAC", 1},
        {"ffwmav2", nullptr, 15, "WAV2", 1},
    };
    return rows;
}

struct RateRow {
    const char* sampleRate;
    quint8 rateCode;
    const char* label;
};

const QVector<RateRow>& rateRows()
{
    static const QVector<RateRow> rows{
        {"22050 Hz", 0, "22.05K"}, {"44100 Hz", 1, "44.1K"}, {"88200 Hz", 2, "88.2K"},
        {"16000 Hz", 3, "16K"},    {"176400 Hz", 4, "176.4K"}, {"352800 Hz", 5, "352.8K"},
        {"48000 Hz", 6, "48K"},    {"96000 Hz", 7, "96K"},   {"192000 Hz", 8, "192K"},
        {"DSD64", 9, "DSD64"},     {"DSD128", 10, "DSD128"}, {"DSD256", 11, "DSD256"},
        {"DSD512", 12, "DSD512"},  {"DSD1024", 13, "DSD1024"},
    };
    return rows;
}

} // namespace

QString canonicalDecoder(const QString& decoder)
{
    return decoder == QLatin1String("mpg123") ? QStringLiteral("ffmp3float") : decoder;
}

CodecLabel codecLabel(const QString& decoder, const QString& suffix)
{
    const QString name = canonicalDecoder(decoder);
    for (const CodecRow& row : codecRows()) {
        if (name == QLatin1String(row.decoder) && (!row.suffix || suffix == QLatin1String(row.suffix)))
            return CodecLabel{row.codecCode, QString::fromLatin1(row.label), row.hiFi};
    }
    return {};
}

RateLabel rateLabel(const QString& sampleRate)
{
    for (const RateRow& row : rateRows()) {
        if (sampleRate == QLatin1String(row.sampleRate))
            return RateLabel{row.rateCode, QString::fromLatin1(row.label)};
    }
    return {};
}

QString dsdRateName(double dsdRate)
{
    const long multiple = long(dsdRate) / 44100;
    if (multiple >= 1024)
        return QStringLiteral("DSD1024");
    switch (multiple) {
    case 64: return QStringLiteral("DSD64");
    case 128: return QStringLiteral("DSD128");
    case 256: return QStringLiteral("DSD256");
    case 512: return QStringLiteral("DSD512");
    default: return {};
    }
}
