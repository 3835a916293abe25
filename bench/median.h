// SPDX-License-Identifier: GPL-3.0-or-later
// The median wall time of a piece of work, for the benchmarks that time whole operations.
#pragma once
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// Runs `work` `runs` times (at least once) and returns the median duration in milliseconds.
inline double medianMs(int runs, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < std::max(1, runs); ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}
