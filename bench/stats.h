#pragma once

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

// What every benchmark here reports: medians of samples measured side by
// side with their floor, in the row format that script/bench tabulates.
namespace quillop::bench {

inline double median(std::vector<double> values) {
    if (values.empty()) throw std::invalid_argument("median of no samples");
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Pair by pair, so that drift of the machine's speed between rounds cancels.
inline double medianRatio(const std::vector<double>& program, const std::vector<double>& floor) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < program.size() && i < floor.size(); ++i)
        if (floor[i] > 0) ratios.push_back(program[i] / floor[i]);
    return median(ratios);
}

// One line: row, key, figure, program, floor, ratio, goal; tab-separated.
// A figure without a floor passes "-" for floor and ratio.
inline void printRow(const std::string& key, const std::string& figure, double program,
                     const std::string& floor, const std::string& ratio, const std::string& goal) {
    std::printf("row\t%s\t%s\t%.3g\t%s\t%s\t%s\n", key.c_str(), figure.c_str(), program,
                floor.c_str(), ratio.c_str(), goal.c_str());
}

inline std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

inline void printRow(const std::string& key, const std::string& figure,
                     const std::vector<double>& program, const std::vector<double>& floor,
                     const std::string& goal) {
    printRow(key, figure, median(program), number(median(floor)),
             number(medianRatio(program, floor)), goal);
}

// Samples of the program and its floor in turn, each going first every
// other round, so that both see the same machine.
template <typename Program, typename Floor>
void alternate(int rounds, Program&& program, Floor&& floor, std::vector<double>& programSamples,
               std::vector<double>& floorSamples) {
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            programSamples.push_back(program());
            floorSamples.push_back(floor());
        } else {
            floorSamples.push_back(floor());
            programSamples.push_back(program());
        }
    }
}

}  // namespace quillop::bench
