#pragma once
// The compressor-map files that lie in the map folder, in the order of the
// compressor map numbers (1-based): turbochargers 1..42, centrifugal blowers
// 43..47. The catalogue and the map loader find their files through this table.

#include <array>
#include <string_view>

namespace brisca {

inline constexpr int kTurboMapCount = 42;
inline constexpr int kCompressorMapCount = 47;

inline constexpr std::array<std::string_view, kCompressorMapCount> kCompressorMapNames = {
    "Garrett-T-58.map",
    "Garrett-T-61.map",
    "Garrett-T04-60-1.map",
    "Garrett-T04-62-1.map",
    "Garrett-T04B-40.map",
    "Garrett-T04B-60-1.map",
    "Garrett-T04B-62-1.map",
    "Garrett-T04B-H-3.map",
    "Garrett-T04B-S-3.map",
    "Garrett-T04B-V1-V2.map",
    "Garrett-T04E-40.map",
    "Garrett-T04E-46.map",
    "Garrett-T04E-50.map",
    "Garrett-T04E-54.map",
    "Garrett-T04E-57.map",
    "Garrett-T04E-60.map",
    "Garrett-Super-T04E-46.map",
    "Garrett-Super-T04E-54.map",
    "Garrett-Super-T04E-57.map",
    "Garrett-Super-T04E-60.map",
    "Garrett-T3-40.map",
    "Garrett-T3-40t.map",
    "Garrett-T3-45.map",
    "Garrett-T3-50.map",
    "Garrett-T3-60.map",
    "Garrett-T3-Super-60.map",
    "KKK-K03.map",
    "KKK-K16.map",
    "KKK-K24.map",
    "KKK-K26.map",
    "KKK-RS2.map",
    "Mitsubishi-TD04-09B.map",
    "Mitsubishi-TD04-13G.map",
    "Mitsubishi-TD04-15G.map",
    "Mitsubishi-TD04H-18T.map",
    "Mitsubishi-TD05H-14B.map",
    "Mitsubishi-TD05H-14G.map",
    "Mitsubishi-TD05H-16G-LARGE.map",
    "Mitsubishi-TD05H-16G-SMALL.map",
    "Mitsubishi-TD06-16G.map",
    "Mitsubishi-TD06-17C.map",
    "Mitsubishi-TD06H-20G.map",
    "Vortech-A-trim.map",
    "Vortech-V1-S-trim.map",
    "Vortech-V1-T-trim.map",
    "Vortech-V2-S-trim.map",
    "Vortech-V7-YS-trim.map",
};

}  // namespace brisca
