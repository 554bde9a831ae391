#pragma once

#include <vector>

namespace Widgets {

// The proportional column sizing: every visible column gets weight × trunc((W − 30) / sum of the
// visible weights) pixels, W being the grid's width. Hidden columns get 0. When no visible
// column has weight, or the grid is narrower than 30 pixels, every width is 0.
std::vector<int> KolonBoyutla(const std::vector<int> &weights, const std::vector<bool> &visible, int gridWidth);

} // namespace Widgets
