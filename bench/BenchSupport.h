#pragma once
// What every benchmark program does the same way: reading "--name value" options, timing a
// piece of work and boiling several runs down to one figure.

#include <functional>
#include <string>
#include <vector>

namespace krel::bench {

// Hands each "--name value" pair to take, which answers whether it knows the name. Throws on an
// unknown name and on a name left without its value.
void ReadOptions(
    int argc, char** argv,
    const std::function<bool(const std::string& name, const std::string& value)>& take);

double MillisecondsOf(const std::function<void()>& work);
// The processor time (user and system) this process spends on work: steadier than the clock on
// a machine that other programs keep busy, and it still counts page faults and file reads.
double CpuMillisecondsOf(const std::function<void()>& work);

// The middle figure (the upper of the two middle ones for an even count); values must not be empty.
double Median(std::vector<double> values);

// Each run reports its own time, so it can prepare what it needs without the clock running.
double MedianOf(int runs, const std::function<double()>& run);

} // namespace krel::bench
