#include "kolonboyutla.h"

#include <algorithm>

namespace Widgets {

std::vector<int> KolonBoyutla(const std::vector<int> &weights, const std::vector<bool> &visible, int gridWidth)
{
    std::vector<int> widths(weights.size(), 0);
    long sum = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        if (i < visible.size() && visible[i])
            sum += std::max(weights[i], 0);
    }
    if (sum <= 0 || gridWidth <= 30)
        return widths;
    const long unit = (gridWidth - 30) / sum; // integer division drops the fraction
    for (size_t i = 0; i < weights.size(); ++i) {
        if (i < visible.size() && visible[i])
            widths[i] = int(std::max(weights[i], 0) * unit);
    }
    return widths;
}

} // namespace Widgets
