#include "BenchSupport.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <stdexcept>

namespace krel::bench {

void ReadOptions(
    int argc, char** argv,
    const std::function<bool(const std::string& name, const std::string& value)>& take) {
    for (int i = 1; i + 1 < argc; i += 2)
        if (!take(argv[i], argv[i + 1]))
            throw std::invalid_argument(std::string("unknown option ") + argv[i]);
    if (argc % 2 == 0)
        throw std::invalid_argument(std::string("option ") + argv[argc - 1] + " needs a value");
}

double MillisecondsOf(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

double CpuMillisecondsOf(const std::function<void()>& work) {
    std::clock_t start = std::clock();
    work();
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianOf(int runs, const std::function<double()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(run());
    return Median(std::move(times));
}

} // namespace krel::bench
