#include "MatrixTrace.h"

#include <algorithm>

namespace award::board {
namespace {

class FrameBuilder {
public:
    FrameBuilder(std::uint64_t start, const TraceTiming& timing) : timing_(timing) {
        frame_.startCycle = start;
        stateSince_ = start;
    }

    void Apply(const PortWrite& write) {
        Settle(write.cycle);
        switch (write.port) {
        case MatrixPort::C:
            if (write.value <= column_ || !sweepStarted_) {
                StartSweep(write.cycle);
            } else if (write.value != column_ + 1) {
                sweepInOrder_ = false;
            }
            column_ = write.value;
            visited_ += column_ < kMatrixColumns ? 1 : 0;
            break;
        case MatrixPort::F: rowsLow_ = write.value; break;
        case MatrixPort::K: rowsHigh_ = write.value; break;
        }
        frame_.endCycle = write.cycle;
        lastWrite_ = write.cycle;
    }

    ShownFrame Finish() {
        FinishSweep();
        frame_.litIntoPause = (rowsLow_ | rowsHigh_) != 0;
        const MatrixImage& image = frame_.image;
        frame_.steadySweeps = 0;
        for (const ShownSweep& sweep : sweeps_) {
            frame_.steadySweeps += (sweep.complete && sweep.image == image) ? 1 : 0;
        }
        frame_.sweeps = static_cast<int>(sweeps_.size());
        return frame_;
    }

    const std::vector<ShownSweep>& Sweeps() const { return sweeps_; }

private:
    void Settle(std::uint64_t now) {
        const std::uint16_t rows = static_cast<std::uint16_t>(rowsLow_ | (rowsHigh_ << 8));
        if (rows != 0 && now - stateSince_ >= timing_.minLitCycles) {
            if (column_ < kMatrixColumns) {
                sweepImage_[column_] |= rows;
                frame_.image[column_] |= rows;
            } else {
                frame_.litOffMatrix = true;
            }
        }
        stateSince_ = now;
    }

    void StartSweep(std::uint64_t cycle) {
        FinishSweep();
        sweepStarted_ = true;
        sweepStart_ = cycle;
        sweepInOrder_ = true;
        sweepImage_ = {};
        visited_ = 0;
    }

    void FinishSweep() {
        if (sweepStarted_) {
            const bool complete = sweepInOrder_ && visited_ == kMatrixColumns && column_ == kMatrixColumns - 1;
            sweeps_.push_back({sweepStart_, lastWrite_, sweepImage_, complete});
            sweepStarted_ = false;
        }
    }

    const TraceTiming& timing_;
    ShownFrame frame_;
    std::vector<ShownSweep> sweeps_;
    std::uint64_t sweepStart_ = 0;
    std::uint64_t lastWrite_ = 0;
    MatrixImage sweepImage_{};
    bool sweepStarted_ = false;
    bool sweepInOrder_ = true;
    int visited_ = 0;
    int column_ = -1;
    std::uint8_t rowsLow_ = 0;
    std::uint8_t rowsHigh_ = 0;
    std::uint64_t stateSince_ = 0;
};

}  // namespace

std::vector<ShownSweep> DecodeSweeps(std::span<const PortWrite> writes, const TraceTiming& timing) {
    if (writes.empty()) {
        return {};
    }
    FrameBuilder builder(writes.front().cycle, timing);
    for (const PortWrite& write : writes) {
        builder.Apply(write);
    }
    builder.Finish();
    return builder.Sweeps();
}

std::vector<ShownFrame> DecodeFrames(std::span<const PortWrite> writes, std::uint64_t now, const TraceTiming& timing) {
    std::vector<ShownFrame> frames;
    std::size_t begin = 0;
    while (begin < writes.size()) {
        std::size_t end = begin + 1;
        while (end < writes.size() && writes[end].cycle - writes[end - 1].cycle < timing.darkGapCycles) {
            ++end;
        }
        const std::uint64_t pauseFrom = writes[end - 1].cycle;
        if (end == writes.size() && now - pauseFrom < timing.darkGapCycles) {
            break;
        }
        FrameBuilder builder(writes[begin].cycle, timing);
        for (std::size_t i = begin; i < end; ++i) {
            builder.Apply(writes[i]);
        }
        frames.push_back(builder.Finish());
        begin = end;
    }
    return frames;
}

std::size_t FrameCounter::ClosedFrames(std::span<const PortWrite> writes, std::uint64_t now) {
    for (scanned_ = std::max<std::size_t>(scanned_, 1); scanned_ < writes.size(); ++scanned_) {
        if (writes[scanned_].cycle - writes[scanned_ - 1].cycle >= timing_.darkGapCycles) {
            ++pausesInside_;
        }
    }
    if (writes.empty()) {
        return 0;
    }
    const bool lastClosed = now - writes.back().cycle >= timing_.darkGapCycles;
    return pausesInside_ + (lastClosed ? 1 : 0);
}

}  // namespace award::board
