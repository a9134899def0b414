// The benchmark's clock: for a set of operations, the median time of one call of each. The operations
// take turns sample by sample, so a change in the machine's load during a measurement affects them
// alike; short operations are batched so that one sample lasts long enough for the clock to resolve it.
// Time is the thread's CPU time (user + system): other processes on a busy machine do not add theirs.
#pragma once

#include <time.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench_timing {

constexpr double kMinSampleNanos = 2e6;    // 2 ms per sample
constexpr double kTargetTotalNanos = 6e8;  // about 0.6 s per measurement
constexpr int kMinSamples = 7;
constexpr int kMaxSamples = 41;

inline double ThreadCpuNanos() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

inline double TimeBatch(const std::function<void()>& op, long batch) {
    const double begin = ThreadCpuNanos();
    for (long k = 0; k < batch; ++k) {
        op();
    }
    return ThreadCpuNanos() - begin;
}

inline double Median(std::vector<double> values) {
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    return values[middle];
}

}  // namespace bench_timing

// Median nanoseconds of one call of each operation, in the order given.
inline std::vector<double> MedianNanosEach(const std::vector<std::function<void()>>& ops) {
    using namespace bench_timing;
    std::vector<long> batches;
    double roundNanos = 0;
    for (const auto& op : ops) {
        const double once = std::max(TimeBatch(op, 1), 1.0);  // also warms caches
        batches.push_back(std::max(1L, static_cast<long>(kMinSampleNanos / once)));
        roundNanos += once * batches.back();
    }
    const int samples =
        std::clamp(static_cast<int>(kTargetTotalNanos / roundNanos), kMinSamples, kMaxSamples);
    std::vector<std::vector<double>> perCall(ops.size());
    for (int s = 0; s < samples; ++s) {
        for (size_t k = 0; k < ops.size(); ++k) {
            perCall[k].push_back(TimeBatch(ops[k], batches[k]) / batches[k]);
        }
    }
    std::vector<double> medians;
    for (auto& values : perCall) {
        medians.push_back(Median(std::move(values)));
    }
    return medians;
}
