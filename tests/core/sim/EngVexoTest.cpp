// Whole sweeps of the engine-cycle model.
#include "core/sim/EngVexo.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <thread>

#include "core/sim/ResultCopy.h"
#include "tests/support/SampleEngines.h"

namespace brisca {
namespace {

SimResults Sweep(const SimInputs& in, int* status = nullptr) {
  SimResults results;
  EngVexo model(in, results, {});
  const int s = model.Run();
  if (status) *status = s;
  return results;
}

bool SameBits(const SimResults& a, const SimResults& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class SweepTest : public testing::TestWithParam<SimInputs (*)()> {};

TEST_P(SweepTest, ResultsAreInternallyConsistent) {
  const SimInputs in = GetParam()();
  int status = 0;
  const SimResults r = Sweep(in, &status);
  ASSERT_EQ(status, 1);
  EXPECT_FLOAT_EQ(r.RPM.front(), 1000.0f);
  EXPECT_FLOAT_EQ(r.RPM.back(), 14500.0f);

  const double d = in.cylinders * in.stroke * in.bore * in.bore * 0.7853982;
  float peak = 0.0f;
  for (int k = 0; k < kResultPoints; ++k) {
    SCOPED_TRACE(r.RPM[k]);
    const double rpm = 1000.0 + 500.0 * k;
    EXPECT_FLOAT_EQ(r.RPM[k], static_cast<float>(rpm));
    for (const ResultArray* a : {&r.HP, &r.TORQ, &r.IMPRES, &r.VEFF, &r.IMEP, &r.BMEP, &r.FMEP,
                                 &r.PMEP, &r.IHP, &r.FHP, &r.PHP, &r.MEFF, &r.INDFLOW, &r.PFORCE,
                                 &r.PSPEED}) {
      EXPECT_TRUE(std::isfinite((*a)[k]));
    }
    EXPECT_NEAR(r.TORQ[k], r.HP[k] * 5252.0 / rpm, 1e-3 + 1e-5 * r.TORQ[k]);
    EXPECT_NEAR(r.HP[k], r.BMEP[k] * d * rpm / 792000.0, 1e-3 + 1e-5 * r.HP[k]);
    EXPECT_NEAR(r.IHP[k], r.IMEP[k] * d * rpm / 792000.0, 1e-3 + 1e-5 * r.IHP[k]);
    EXPECT_NEAR(r.FHP[k], r.FMEP[k] * d * rpm / 792000.0, 1e-3 + 1e-5 * std::fabs(r.FHP[k]));
    EXPECT_NEAR(r.PHP[k], r.PMEP[k] * d * rpm / 792000.0, 1e-3 + 1e-5 * r.PHP[k]);
    if (r.HP[k] > 0.0f) {
      // Indicated power is brake power plus friction plus pumping.
      EXPECT_NEAR(r.IHP[k], r.HP[k] + r.FHP[k] + r.PHP[k], 1e-4 * r.IHP[k]);
      EXPECT_NEAR(r.MEFF[k], 100.0 * r.BMEP[k] / r.IMEP[k], 1e-3);
    } else {
      EXPECT_EQ(r.TORQ[k], 0.0f);
      EXPECT_EQ(r.BMEP[k], 0.0f);
      EXPECT_EQ(r.MEFF[k], 0.0f);
    }
    EXPECT_GE(r.IMEP[k], 0.0f);
    EXPECT_GE(r.PMEP[k], 0.0f);
    EXPECT_NEAR(r.INDFLOW[k], d * rpm * r.VEFF[k] * 2.8935185e-6, 1e-3 * r.INDFLOW[k] + 1e-3);
    EXPECT_NEAR(r.PSPEED[k], rpm * in.stroke / 6.0, 1e-2);
    EXPECT_NEAR(r.PFORCE[k], r.IMEP[k] * in.bore * in.bore * 0.7853982, 1e-3 * r.PFORCE[k] + 1e-3);
    // A naturally aspirated manifold sits just below the atmosphere.
    EXPECT_LE(r.IMPRES[k], 14.7f);
    EXPECT_GT(r.IMPRES[k], 10.0f);
    peak = std::max(peak, r.HP[k]);
  }
  EXPECT_EQ(r.surge + r.choke + r.overspeed, 0);
  // A plausible engine: real power somewhere in the sweep.
  EXPECT_GT(peak, 50.0f);
}

INSTANTIATE_TEST_SUITE_P(Engines, SweepTest,
                         testing::Values(&samples::SmallBlockV8, &samples::ShortStrokeFour),
                         [](const testing::TestParamInfo<SimInputs (*)()>& info) {
                           return info.index == 0 ? "SmallBlockV8" : "ShortStrokeFour";
                         });

TEST(EngVexoTest, SmallBlockPeaksWhereAStreetV8Does) {
  const SimResults r = Sweep(samples::SmallBlockV8());
  int peakIndex = 0;
  for (int k = 1; k < kResultPoints; ++k) {
    if (r.HP[k] > r.HP[peakIndex]) peakIndex = k;
  }
  EXPECT_GE(r.RPM[peakIndex], 4500.0f);
  EXPECT_LE(r.RPM[peakIndex], 6500.0f);
  EXPECT_GT(r.HP[peakIndex], 250.0f);
  EXPECT_LT(r.HP[peakIndex], 500.0f);
}

TEST(EngVexoTest, ResultSetCopiesWheelValuesAndBoost) {
  const SimResults r = Sweep(samples::SmallBlockV8());
  ResultSet all;
  EXPECT_EQ(FillResultSet(r, all), 28);
  EXPECT_EQ(all.count, 28);
  for (int k = 0; k < 28; ++k) {
    EXPECT_FLOAT_EQ(all.wheelPower[k], r.HP[k] * 0.85f);
    EXPECT_FLOAT_EQ(all.wheelTorque[k], r.TORQ[k] * 0.85f);
    EXPECT_FLOAT_EQ(all.boost[k], r.IMPRES[k] - 14.7f);
    EXPECT_LT(all.boost[k], 0.0f);  // naturally aspirated: just below zero
  }
  // Both bounds of the speed window are inclusive.
  ResultSet window;
  EXPECT_EQ(FillResultSet(r, window, 3000.0f, 6000.0f), 7);
  EXPECT_FLOAT_EQ(window.rpm[0], 3000.0f);
  EXPECT_FLOAT_EQ(window.rpm[6], 6000.0f);
  EXPECT_FLOAT_EQ(window.power[6], r.HP[10]);
}

TEST(EngVexoTest, FailuresReturnZero) {
  struct Case {
    const char* what;
    void (*spoil)(SimInputs&);
  };
  const Case cases[] = {
      {"negative intake test depression", [](SimInputs& in) { in.intakeTestPressureDrop = -1.0f; }},
      {"negative exhaust test depression", [](SimInputs& in) { in.exhaustTestPressureDrop = -1.0f; }},
      {"lift geometry without solution",
       [](SimInputs& in) {
         in.nominalIvo = -90.0f;  // an intake event without duration cannot lift the valve
         in.nominalIvc = -90.0f;
         in.intakeValveLift = 0.5f;
       }},
      {"collapsing manifold pressure", [](SimInputs& in) { in.inductionFlow = 20; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimInputs in = samples::SmallBlockV8();
    c.spoil(in);
    int status = -1;
    Sweep(in, &status);
    EXPECT_EQ(status, 0);
  }
}

TEST(EngVexoTest, CylinderPressureClampedToZero) {
  // A 2-inch intake lift: the port's dynamic head empties it, the cylinder
  // blows down through it, its pressure clamps to 0 and the next step's
  // pressure ratio is 0/0: the pass fails. With a compression ratio of 1.1 the
  // pressure clamps to 0 again and again, yet every ratio keeps its meaning and
  // the pass completes with finite results.
  struct Case {
    const char* what;
    void (*spoil)(SimInputs&);
    int status;
  };
  const Case cases[] = {
      {"port and cylinder empty", [](SimInputs& in) { in.intakeValveLift = 2.0f; }, 0},
      {"cylinder empty", [](SimInputs& in) { in.intakeValveLift = 4.0f; in.compressionRatio = 1.1f; }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimInputs in = samples::SmallBlockV8();
    c.spoil(in);
    int status = -1;
    const SimResults r = Sweep(in, &status);
    EXPECT_EQ(status, c.status);
    if (c.status == 1) {
      for (int k = 0; k < kResultPoints; ++k) {
        EXPECT_TRUE(std::isfinite(r.VEFF[k]) && std::isfinite(r.HP[k]) && std::isfinite(r.IMEP[k]))
            << k;
      }
    }
  }
}

TEST(EngVexoTest, NitrousAddsPowerThroughIndicatedPressure) {
  SimInputs in = samples::SmallBlockV8();
  const SimResults plain = Sweep(in);
  in.nitrous = 100.0f;
  in.fuelType = 4;
  const SimResults boosted = Sweep(in);
  // At 3000 rpm the shot is worth about 79 psi of IMEP on 350 ci; the corrections
  // reshape power, but the gain must be of the shot's order.
  const double gain = boosted.HP[4] - plain.HP[4];
  EXPECT_GT(gain, 60.0);
  EXPECT_LT(gain, 160.0);
}

TEST(EngVexoTest, PassesOnTwoThreadsMatchOneAfterAnother) {
  const SimInputs v8 = samples::SmallBlockV8();
  const SimInputs four = samples::ShortStrokeFour();
  const SimResults v8Alone = Sweep(v8);
  const SimResults fourAlone = Sweep(four);

  constexpr int kRounds = 20;
  bool v8Same = true, fourSame = true;
  std::thread a([&] {
    for (int i = 0; i < kRounds; ++i) v8Same = v8Same && SameBits(Sweep(v8), v8Alone);
  });
  std::thread b([&] {
    for (int i = 0; i < kRounds; ++i) fourSame = fourSame && SameBits(Sweep(four), fourAlone);
  });
  a.join();
  b.join();
  EXPECT_TRUE(v8Same);
  EXPECT_TRUE(fourSame);
  EXPECT_FALSE(SameBits(v8Alone, fourAlone));
}

TEST(EngVexoTest, ModelsRunTogetherGiveTheirOwnBitsAndStatus) {
  // Pairs whose loops end at different steps (other strokes), where one fails
  // mid-pass or at set-up, and where only one has a boosted pass.
  auto collapsing = [] {
    SimInputs in = samples::SmallBlockV8();
    in.inductionFlow = 20;
    return in;
  };
  auto noIntakeDuration = [] {
    SimInputs in = samples::ShortStrokeFour();
    in.intakeTestPressureDrop = -1.0f;
    return in;
  };
  auto emptiedPort = [] {  // the crank loop itself fails
    SimInputs in = samples::SmallBlockV8();
    in.intakeValveLift = 2.0f;
    return in;
  };
  auto laterIvo = [] {
    SimInputs in = samples::SmallBlockV8();
    in.nominalIvo -= 4.0f;
    return in;
  };
  struct Case {
    const char* what;
    SimInputs first;
    SimInputs second;
  };
  const Case cases[] = {
      {"two cam timings", samples::SmallBlockV8(), laterIvo()},
      {"other strokes", samples::SmallBlockV8(), samples::ShortStrokeFour()},
      {"other strokes, swapped", samples::ShortStrokeFour(), samples::SmallBlockV8()},
      {"the first fails before a cycle", collapsing(), samples::ShortStrokeFour()},
      {"the first fails within a cycle", emptiedPort(), laterIvo()},
      {"the second fails within a cycle", laterIvo(), emptiedPort()},
      {"the second fails at set-up", samples::SmallBlockV8(), noIntakeDuration()},
      {"a blower beside no blower", samples::RootsSmallBlockV8(), samples::ShortStrokeFour()},
      {"no blower beside a blower", samples::SmallBlockV8(), samples::RootsSmallBlockV8()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int firstStatus = -1, secondStatus = -1;
    const SimResults firstAlone = Sweep(c.first, &firstStatus);
    const SimResults secondAlone = Sweep(c.second, &secondStatus);

    std::array<SimResults, 2> together;
    EngVexo a(c.first, together[0]);
    EngVexo b(c.second, together[1]);
    std::array<EngVexo*, 2> models{&a, &b};
    std::array<int, 2> status{-1, -1};
    EngVexo::RunTogether(models, status);
    EXPECT_EQ(status[0], firstStatus);
    EXPECT_EQ(status[1], secondStatus);
    EXPECT_TRUE(SameBits(together[0], firstAlone));
    EXPECT_TRUE(SameBits(together[1], secondAlone));
  }
}

}  // namespace
}  // namespace brisca
