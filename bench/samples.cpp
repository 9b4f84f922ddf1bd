#include "samples.h"

#include <algorithm>

double Samples::min() const {
    return empty() ? 0 : *std::min_element(ms.begin(), ms.end());
}

double Samples::max() const {
    return empty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

double Samples::median() const {
    if (empty()) return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}
