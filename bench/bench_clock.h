// Timing for the benchmarks: process CPU time, the best of several runs, so that other work on the machine
// shows as little as possible, and runs of the two sides interleaved, so that both see the
// same machine.
#pragma once

#include <functional>

// Seconds of the fastest of nRuns alternating runs of each side; returns b's time over a's.
double RatioOfBest(const std::function<void()> &a, const std::function<void()> &b, int nRuns,
                   double *pBestA = nullptr, double *pBestB = nullptr);

double SecondsOf(const std::function<void()> &work);
