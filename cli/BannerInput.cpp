#include "cli/BannerInput.h"

#include "files/LineJoiner.h"

#include <QStringDecoder>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace award {
namespace {

// Where the bytes stop being whole UTF-8 sequences: a sequence cut by the
// end of a read is decoded with the next read.
qsizetype WholeSequencesEnd(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 4 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

class PhraseCollector {
public:
    PhraseCollector(BannerInput& input, long long keep) : input_(input), keep_(keep) {}

    void Add(QStringView text) {
        qsizetype start = 0;
        for (qsizetype space = text.indexOf(u' '); space >= 0; space = text.indexOf(u' ', start)) {
            if (input_.phraseCount++ < keep_) {
                pending_ += text.mid(start, space - start);
                input_.phrases.push_back(std::move(pending_));
            }
            pending_ = QString();
            start = space + 1;
        }
        pending_ += text.mid(start);
    }
    void Finish() { input_.tail = std::move(pending_); }

private:
    BannerInput& input_;
    long long keep_;
    QString pending_;
};

// Reads to the end, handing each piece of decoded text on; false when
// reading or decoding failed, which `input` then says.
template <class Take>
bool ReadText(int fd, BannerInput& input, Take take) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QByteArray bytes;
    char buffer[64 * 1024];
    while (true) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            input.status = BannerInput::Status::ReadFailed;
            input.error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        bytes.append(buffer, got);
        const qsizetype whole = got == 0 ? bytes.size() : WholeSequencesEnd(bytes);
        const QString text = decoder.decode(QByteArrayView(bytes).first(whole));
        if (decoder.hasError()) {
            input.status = BannerInput::Status::NotUtf8;
            return false;
        }
        take(text);
        bytes.remove(0, whole);
        if (got == 0) return true;
    }
}

}  // namespace

BannerInput ReadBanner(int fd, long long keepPhrases) {
    BannerInput input;
    PhraseCollector collector(input, keepPhrases);
    LineJoiner joiner;
    if (ReadText(fd, input, [&](QStringView text) { collector.Add(joiner.Add(text)); })) {
        collector.Add(joiner.Finish());
        collector.Finish();
    }
    input.joining = joiner.Notice();
    return input;
}

BannerInput ReadWholeText(int fd, qsizetype keepCharacters) {
    BannerInput input;
    LineJoiner joiner;
    const auto keep = [&](QStringView text) {
        const qsizetype room = std::max<qsizetype>(0, keepCharacters - input.tail.size());
        input.tail += text.first(std::min(room, text.size()));
        input.dropped += text.size() - std::min(room, text.size());
    };
    if (ReadText(fd, input, [&](QStringView text) { keep(joiner.Add(text)); })) keep(joiner.Finish());
    input.joining = joiner.Notice();
    return input;
}

}  // namespace award
