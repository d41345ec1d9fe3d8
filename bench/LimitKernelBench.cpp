// The math-only lower bound of one naturally aspirated sweep, beside which
// every sweep benchmark is read: the transcendental work each crank step of
// the model must do (piston kinematics, valve lifts while open, two
// compressible-flow functions, exhaust pulse, burn and ram terms), with no
// branching logic, no tables and no state beyond the integrator. Built at -O2
// (see CMakeLists.txt) as the stand-alone kernel is, so that ratios taken in one
// run of brisca_bench match ratios against that kernel.
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

template <class T>
double KernelSweep() {
  T acc = 0, P = 14.7, Tm = 2000, m = 0.001;
  for (int i = 0; i < 29; ++i) {
    const T rpm = T(500) * (i + 1);
    const T dth = T(0.3) * rpm * T(0.001);
    const T Ap = std::pow(rpm, T(1.04)) * T(0.0013332);
    for (T th = 140; th <= 860; th += dth) {
      const T rad = th * T(0.017453292);
      const T s = std::sin(rad), c = std::cos(rad);
      const T f = std::sqrt(T(1) - T(0.09) * s * s);
      const T V = T(6) + T(10) * ((1 - c) + T(3.3) * (1 - f));
      const T dV = T(10) * s * (1 + T(0.3) * c / f) * T(0.017453292);
      T flow = 0;
      if (th > 340 && th < 600) {
        const T lift = T(0.4) * (1 - std::cos((th - 340) * T(0.5) * T(0.017453292)));
        const T r = T(0.9) + T(0.0001) * (th - 340);
        const T psi = 5 * (std::pow(r, T(1.428)) - std::pow(r, T(1.714)));
        const T a = std::sqrt(T(2405.018) * Tm);
        flow += std::sqrt(psi) * a * P * lift / Tm;
      }
      if (th < 380 || th > 860) {
        const T lift = T(0.4) * (1 - std::cos((th - 140) * T(0.5) * T(0.017453292)));
        const T r = T(0.8) + T(0.0001) * th;
        const T psi = 5 * (std::pow(r, T(1.428)) - std::pow(r, T(1.714)));
        const T a = std::sqrt(T(2405.018) * Tm);
        flow -= std::sqrt(psi) * a * P * lift / Tm;
      }
      const T pulse = Ap * std::sin((th - 140) * T(0.02));
      const T burn = (th > 710 && th < 770) ? std::sin((th - 710) * T(0.05235988)) : 0;
      const T ram = (th > 540 && th < 650) ? std::sin((th - 540) * T(0.05)) : 0;
      const T cv = T(0.16528) + Tm * (T(1.0396e-5) + Tm * (T(1.17048e-8) + Tm * (T(-3.74528e-12) + Tm * T(3.1578e-16))));
      const T dP = (flow + burn - P * dV + pulse + ram) / (cv * V);
      P += dth * dP * T(1e-6);
      Tm += dth * dP * T(1e-7);
      m += dth * flow * T(1e-9);
      acc += V;
    }
  }
  return double(acc + P + Tm + m);
}

void BM_LimitKernel_Float(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(KernelSweep<float>());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LimitKernel_Float)->Unit(benchmark::kMicrosecond);

}  // namespace
