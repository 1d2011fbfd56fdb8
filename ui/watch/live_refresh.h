#pragma once

#include "model/refresh_round.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vek {

class CShadowReg;
class CVekDoc;

// Reads chosen registers of a document again and again on a timer, in rounds: each round asks
// which registers to read, reads them in slices from the event loop (the window draws and takes
// clicks between two slices), and the next round starts one interval after this one started.
// Values reach the tree, the change marks and the transfer log as any read's do. It stops by
// itself, and says why, when reads fail in several rounds in a row.
class LiveRefresh : public QObject {
    Q_OBJECT

public:
    struct Services {
        // The registers of the round about to start.
        std::function<std::vector<CShadowReg*>()> registers;
        // The time between two rounds' starts, in ms.
        std::function<int()> interval;
        // While another transfer holds every command, a round waits.
        std::function<bool()> blocked;
        // Tells the user why the refresh stopped by itself.
        std::function<void(const std::string&)> stopped;
    };

    LiveRefresh(CVekDoc& document, Services services, QObject* parent = nullptr);

    void Start();
    void Stop();
    bool IsRunning() const { return running_; }
    // Rounds finished since the start, and finished per second over the last few.
    std::int64_t Rounds() const { return rounds_; }
    double Rate() const;
    // The registers of the last round that started, and those it passed over for their read
    // side effects.
    std::size_t RegisterCount() const { return registerCount_; }
    int PassedOver() const { return passedOver_; }

Q_SIGNALS:
    void RoundFinished();
    void RunningChanged(bool running);

private:
    void StartRound();
    void Continue();
    void FinishRound();

    CVekDoc& document_;
    Services services_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::optional<RefreshRound> round_;
    std::deque<qint64> finishes_; // when the last rounds ended, for the rate
    qint64 roundStart_ = 0;
    std::int64_t rounds_ = 0;
    std::size_t registerCount_ = 0;
    int passedOver_ = 0;
    int failedRounds_ = 0;
    bool running_ = false;
};

} // namespace vek
