#pragma once
// Small sinks of a text's code units that the readers of a file compose.
#include <cstdint>
#include <string_view>

#include "query/CodeUnits.h"

namespace filedata {

// Hands at most BUDGET bytes of units on, then stops the read, so that a
// read of part of a file never takes in more than that part.
class TBudgetedUnits final : public TUnitSink {
 public:
  TBudgetedUnits(TUnitSink& inner, std::uint64_t budget, std::size_t unitSize) noexcept
      : inner_(inner), left_(budget - budget % unitSize) {}
  bool OnUnits(std::string_view units) override {
    const bool within = units.size() < left_;
    if (!within) units = units.substr(0, static_cast<std::size_t>(left_));
    left_ -= units.size();
    passed_ += units.size();
    return inner_.OnUnits(units) && within;
  }
  // The bytes handed on.
  std::uint64_t Passed() const noexcept { return passed_; }

 private:
  TUnitSink& inner_;
  std::uint64_t left_;
  std::uint64_t passed_ = 0;
};

// Takes every unit and keeps none: the reader's own search for the zero
// unit that ends the text is all that runs.
class TUnitsPassed final : public TUnitSink {
 public:
  bool OnUnits(std::string_view) override { return true; }
};

}  // namespace filedata
