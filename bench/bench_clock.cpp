#include "bench_clock.h"

#include <time.h>

// CPU time of the process, the kernel's work for it included: on a machine busy with other
// work, wall-clock time would measure the others as well.
static double CpuSeconds()
{
    struct timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

double SecondsOf(const std::function<void()> &work)
{
    double start = CpuSeconds();
    work();
    return CpuSeconds() - start;
}

double RatioOfBest(const std::function<void()> &a, const std::function<void()> &b, int nRuns,
                   double *pBestA, double *pBestB)
{
    double bestA = 1e30, bestB = 1e30;
    for (int i = 0; i < nRuns; ++i) {
        double timeA = SecondsOf(a);
        double timeB = SecondsOf(b);
        if (timeA < bestA)
            bestA = timeA;
        if (timeB < bestB)
            bestB = timeB;
    }
    if (pBestA)
        *pBestA = bestA;
    if (pBestB)
        *pBestB = bestB;
    return bestB / bestA;
}
