#pragma once
// The constants of one engine cycle's crank-angle loop, with their units. They
// are the model's own values, written as the model writes them; the arithmetic
// type of each (float or double) is part of the model and is kept.

namespace brisca::cycle {

// --- start of a cycle --------------------------------------------------------
inline constexpr float kFirstStartPressure = 29.4f;       //!< cylinder at the first point [psia]
inline constexpr float kStartTemperature = 2000.0f;       //!< cylinder at EVO [°R]
inline constexpr double kMassAt2000R = 7.8104307e-7;      //!< ideal gas at 2000 °R [lbm/(in³·psia)]
inline constexpr double kAirDensity = 4.357242e-5;        //!< standard air [lbm/in³]
inline constexpr double kCycleDegrees = 720.0;            //!< one four-stroke cycle [deg]

// --- exhaust pulse train (phase φ in degrees after EVO) ----------------------
inline constexpr double kPulseHalfWave = 180.0;           //!< end of the blowdown half-wave [deg]
inline constexpr double kPulseFullWave = 360.0;           //!< end of the reflected half-wave [deg]
inline constexpr double kBlowdownAmplitude = 2.0;         //!< × A_p while φ < 180°
inline constexpr double kLatePulseAmplitude = 0.8;        //!< × A_p once φ > 360°

// --- intake ram wave -----------------------------------------------------------
inline constexpr double kRamRampStart = 510.0;            //!< the ram term starts rising [deg]
inline constexpr double kIntakeBdc = 540.0;               //!< bottom dead centre of the intake stroke [deg]
inline constexpr double kRamWaveEnd = 650.0;              //!< the tuned wave ends [deg]
inline constexpr double kRamRampPerDegree = 0.028571429;  //!< 1/35 of R_ram per degree [1/deg]

// --- valve flow ------------------------------------------------------------------
inline constexpr double kPortDiameterFraction = 0.85;     //!< port throat / total valve diameter
inline constexpr double kSquareInchesPerSquareFoot = 144.0;
inline constexpr double kSquareFeetPerSquareInch = 0.0069444445;  //!< 1/144 as the model writes it
inline constexpr double kSoundSpeedSquaredPerRankine = 2405.018;  //!< γ·R·g_c [ft²/(s²·°R)]
inline constexpr double kMassFlowFactor = 0.018744143;    //!< orifice flow [lbm·°R/(s·psia·ft·in²)]
inline constexpr double kSecondsPerDegreeAtOneRpm = 0.16666667;  //!< 1/6 [s·rpm/deg]
inline constexpr double kGasConstantSlug = 1716.0;        //!< air [ft·lbf/(slug·°R)]

// --- energy balance -----------------------------------------------------------------
inline constexpr double kWallTemperature = 800.0;         //!< combustion-chamber wall [°R]
inline constexpr double kWallShapeFactor = 4.0;           //!< liner area = 4·V/B [in²]
inline constexpr double kHeadAndPistonArea = 1.57;        //!< head and crown = 1.57·B² [in²]
inline constexpr double kCvOverR = 14.587893;             //!< c_v/R factor, 1/0.06857 [lbm·°R/BTU]
inline constexpr double kPsiCubicInchToBtu = 0.00010711225;  //!< c1 [BTU/(psia·in³)]
inline constexpr double kBtuToPsiCubicInch = 9336.0;      //!< 1/c1 as the model rounds it [psia·in³/BTU]
inline constexpr double kBurnStart = 710.0;               //!< 10° before firing TDC [deg]
inline constexpr double kBurnEnd = 770.0;                 //!< 50° after firing TDC [deg]
inline constexpr double kBurnPeakRate = 0.02617994;       //!< π/120: half-sine over 60° [1/deg]
inline constexpr double kBurnPhasePerDegree = 0.05235988; //!< π/60 [rad/deg]

}  // namespace brisca::cycle
