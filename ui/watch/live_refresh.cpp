#include "ui/watch/live_refresh.h"

#include "document/vek_doc.h"
#include "model/run_limits.h"

#include <algorithm>

namespace vek {

namespace {

// The rate is taken over this many rounds: steady enough to read, quick to follow a change.
constexpr std::size_t kRateRounds = 8;

} // namespace

LiveRefresh::LiveRefresh(CVekDoc& document, Services services, QObject* parent)
    : QObject(parent), document_(document), services_(std::move(services)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { round_ ? Continue() : StartRound(); });
}

void LiveRefresh::Start() {
    if (running_)
        return;
    running_ = true;
    rounds_ = 0;
    failedRounds_ = 0;
    finishes_.clear();
    clock_.start();
    Q_EMIT RunningChanged(true);
    timer_.start(0);
}

void LiveRefresh::Stop() {
    if (!running_)
        return;
    running_ = false;
    timer_.stop();
    round_.reset();
    Q_EMIT RunningChanged(false);
}

double LiveRefresh::Rate() const {
    if (finishes_.size() < 2 || finishes_.back() == finishes_.front())
        return 0.0;
    return static_cast<double>(finishes_.size() - 1) * 1000.0 /
           static_cast<double>(finishes_.back() - finishes_.front());
}

void LiveRefresh::StartRound() {
    const int interval = services_.interval();
    if (services_.blocked()) {
        timer_.start(interval);
        return;
    }
    roundStart_ = clock_.elapsed();
    round_.emplace(services_.registers());
    registerCount_ = round_->Size();
    passedOver_ = round_->PassedOver();
    Continue();
}

void LiveRefresh::Continue() {
    // Another transfer may have begun from a click between two slices: it goes first.
    if (services_.blocked()) {
        timer_.start(services_.interval());
        return;
    }
    QElapsedTimer slice;
    slice.start();
    const TransferFlags flags = document_.Context().TransferMode();
    while (!round_->ReadNext(kLiveRefreshSlice, flags)) {
        if (slice.elapsed() >= kLiveRefreshSliceTime) {
            timer_.start(0);
            return;
        }
    }
    FinishRound();
}

void LiveRefresh::FinishRound() {
    const RefreshRound round = std::move(*round_);
    round_.reset();
    ++rounds_;
    finishes_.push_back(clock_.elapsed());
    if (finishes_.size() > kRateRounds)
        finishes_.pop_front();
    failedRounds_ = round.Failures() > 0 ? failedRounds_ + 1 : 0;
    Q_EMIT RoundFinished();
    if (!running_)
        return;
    if (failedRounds_ >= kLiveRefreshFailedRounds) {
        Stop();
        services_.stopped("Live refresh stopped: reads failed in " +
                          std::to_string(kLiveRefreshFailedRounds) + " rounds in a row (" +
                          std::to_string(round.Failures()) + " of " + std::to_string(round.Size()) +
                          " in the last); " + round.LastError());
        return;
    }
    const qint64 next = roundStart_ + services_.interval() - clock_.elapsed();
    timer_.start(static_cast<int>(std::max<qint64>(0, next)));
}

} // namespace vek
