// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/aspectarian_worker.h"

namespace quintaro {

AspectarianWorker::AspectarianWorker(QObject* parent) : QObject(parent) {
    // Queued: handled on the window's thread after the reports sent before it.
    connect(this, &AspectarianWorker::runEnded, this, &AspectarianWorker::ended,
            Qt::QueuedConnection);
}

AspectarianWorker::~AspectarianWorker() {
    stop_ = true;
    if (thread_) thread_->wait();
}

void AspectarianWorker::start(AspectarianJob job) {
    if (thread_) return;
    job_ = std::move(job);
    result_ = {};
    stop_ = false;
    shown_.acquire(shown_.available());
    shown_.release();
    thread_.reset(QThread::create([this] {
        const Progress progress = [this](std::string_view text, long done, long total) {
            return report(text, done, total);
        };
        result_ = RunAspectarianJob(job_, messages_, progress);
        Q_EMIT runEnded();
    }));
    thread_->start();
}

// On the run's thread, before each day.
bool AspectarianWorker::report(std::string_view text, long done, long total) {
    constexpr int kPollMs = 20;  // how soon a stop is seen while the window is busy
    while (!shown_.tryAcquire(1, kPollMs))
        if (stop_) return false;
    if (stop_) return false;
    Q_EMIT progressed(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), done,
                      total);
    return true;
}

void AspectarianWorker::ended() {
    if (thread_) thread_->wait();
    thread_.reset();
    Q_EMIT finished();
}

}  // namespace quintaro
