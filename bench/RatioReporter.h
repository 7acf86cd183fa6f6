// The console reporter of Google Benchmark that also keeps each
// benchmark's time per iteration (the median over repetitions), so that
// the program can print the ratios its targets are stated in once every
// benchmark has run.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelph::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (run.run_type == Run::RT_Iteration) {
        m_Seconds[run.run_name.function_name].push_back(seconds);
      } else if (run.aggregate_name == "median") {
        // Only the aggregates are reported: the median stands for them all.
        m_Seconds[run.run_name.function_name] = {seconds};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Seconds per iteration of the benchmark registered under `name`; none
  // when it did not run (filtered out or failed).
  std::optional<double> Seconds(const std::string& name) const {
    auto found = m_Seconds.find(name);
    if (found == m_Seconds.end() || found->second.empty()) return std::nullopt;
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
  }

 private:
  std::map<std::string, std::vector<double>> m_Seconds;
};

}  // namespace zelph::bench
