#pragma once

#include <QString>

#include <vector>

namespace award {

// Banner text read from a file descriptor a piece at a time, so that memory
// follows what can become a sketch rather than the size of the input: the
// phrases are kept up to `keepPhrases`, and past that only counted. Line
// breaks and tabs end phrases as in a banner file the window opens.
struct BannerInput {
    enum class Status { Ok, ReadFailed, NotUtf8 };
    Status status = Status::Ok;
    QString error;  // why reading failed

    std::vector<QString> phrases;  // the first phrases, each ended by a space
    long long phraseCount = 0;     // all of them, kept or not
    QString tail;                  // what follows the last space
    long long dropped = 0;         // characters of a whole text past what was kept
    QString joining;               // what joining lines and tabs did, for the user
};

BannerInput ReadBanner(int fd, long long keepPhrases);

// The whole text as the tail, for a marquee: kept up to `keepCharacters`
// characters; past that only counted.
BannerInput ReadWholeText(int fd, qsizetype keepCharacters);

}  // namespace award
