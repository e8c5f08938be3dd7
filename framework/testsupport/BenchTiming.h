// The clock and the statistics every benchmark uses: the performance
// counter, a stopwatch, and the median, mean and maximum of timed rounds.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace vellumate::bench {

// Milliseconds on the performance counter, from an arbitrary start.
inline double NowMs()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

class Stopwatch {
public:
    Stopwatch() : m_start(NowMs()) {}
    double Milliseconds() const { return NowMs() - m_start; }
    double Microseconds() const { return Milliseconds() * 1000.0; }

private:
    double m_start;
};

// The middle sample (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

inline double Mean(const std::vector<double>& samples)
{
    return samples.empty() ? 0 : std::accumulate(samples.begin(), samples.end(), 0.0) / samples.size();
}

inline double Max(const std::vector<double>& samples)
{
    return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

// The median time in milliseconds of `rounds` runs of `run`; `prepare` runs
// untimed before each.
inline double MedianMs(int rounds, const std::function<void()>& prepare, const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        const Stopwatch watch;
        run();
        times.push_back(watch.Milliseconds());
    }
    return Median(std::move(times));
}

inline double MedianMs(int rounds, const std::function<void()>& run)
{
    return MedianMs(
        rounds, [] {}, run);
}

// Nanoseconds per round of `body(round)`, run `rounds` times in one go.
template <typename Body>
double NanosecondsPerRound(int rounds, Body body)
{
    const Stopwatch watch;
    for (int i = 0; i < rounds; ++i)
        body(i);
    return watch.Milliseconds() * 1e6 / rounds;
}

}  // namespace vellumate::bench
