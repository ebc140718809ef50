// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSemaphore>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

#include "app/aspectarian_run.h"

namespace quintaro {

// Runs an aspectarian job on a thread of its own, so that the window stays responsive. The job
// reads positions through its own reader (nothing it touches is the session's), and tells the user
// through held messages that the window shows when the run is over.
//
// Every day's progress reaches the window as `progressed`, and the run keeps at most one report in
// flight: the next day's report waits until the window has shown the last one (`shown`), so the
// window repaints at least once per processed day and never falls behind. `stop` ends the run
// before its next day, as the user's Cancel does; the days done are kept.
class AspectarianWorker : public QObject {
    Q_OBJECT
  public:
    explicit AspectarianWorker(QObject* parent = nullptr);
    // Stops a run still going and waits for its thread.
    ~AspectarianWorker() override;

    void start(AspectarianJob job);
    bool running() const { return thread_ != nullptr; }
    void stop() { stop_ = true; }
    void shown() { shown_.release(); }

    // After `finished`: the job run (its input) and its result; the messages of the run.
    const AspectarianJob& job() const { return job_; }
    const AspectarianResult& result() const { return result_; }
    HeldMessages& messages() { return messages_; }

  Q_SIGNALS:
    void progressed(const QString& text, long done, long total);
    // The run is over and its thread gone.
    void finished();
    // From the run's thread, as its last word.
    void runEnded();

  private:
    bool report(std::string_view text, long done, long total);
    void ended();

    AspectarianJob job_;
    AspectarianResult result_;
    HeldMessages messages_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> stop_{false};
    QSemaphore shown_{1};
};

}  // namespace quintaro
