#pragma once
// The random source of the batch file's name, a seam so that tests can choose the letters.
#include <cstdint>
#include <random>

namespace tallimo {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Starts a new sequence; called once per batch file, not per name tried.
  virtual void Reseed() = 0;
  // A number in 0 .. bound - 1, all equally likely; bound > 0.
  virtual uint32_t Below(uint32_t bound) = 0;
};

// A small linear congruential generator seeded from the clocks. The letters only have to make
// a name that is not taken (the batch file's writer tries another when it is), so neither a
// large generator nor the system's entropy source is worth its weight in the program.
class TimeSeededRandom final : public RandomSource {
 public:
  void Reseed() override;
  uint32_t Below(uint32_t bound) override;

 private:
  std::minstd_rand engine_;
};

}  // namespace tallimo
