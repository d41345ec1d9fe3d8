#pragma once
// The arithmetic of the compression-ratio calculator: from the measured or
// published chamber, gasket, dome, relief and deck figures to the total
// combustion volume and the new compression ratio. Two methods:
//   1 burette: the liquid volume above the piston, measured with the piston a
//     known distance down the bore;
//   2 piston and deck specs known: dome, reliefs and deck clearance.
//
// Lengths may be in inches or millimetres (the arithmetic works on domestic
// copies); volumes are cubic centimetres in both unit systems.

#include "core/spec/FloatPtSpec.h"

namespace brisca {

enum CompRatioMethod : int {
  kBuretteMethod = 1,
  kPistonDeckSpecsMethod = 2,
};

//! Numbered messages (ReportErrorCode) of the calculator.
enum CompRatioErrorCode : int {
  kErrCompRatioShortBlock = 88,   //!< the short block is incomplete: no calculator
  kErrCompRatioRange = 89,        //!< ratio outside "Compression Ratio"'s limits
  kErrCompRatioChamber = 90,
  kErrCompRatioGasketBore = 91,
  kErrCompRatioGasketThickness = 92,
  kErrCompRatioNoRatio = 96,
  kErrCompRatioDome = 177,
  kErrCompRatioReliefs = 178,
  kErrCompRatioDeckClearance = 179,
  kErrCompRatioDownBore = 180,
  kErrCompRatioMeasured = 181,
};

//! The calculator's inputs: copies of the document's values.
struct CompRatioInputs {
  int method;                       //!< CompRatioMethod
  CFloatPtSpec bore;                //!< "Bore" [in | mm]; must be valid
  CFloatPtSpec cylinderVolume;      //!< "Cylinder Volume", swept [cc]; must be valid
  CFloatPtSpec chamberVolume;       //!< "Cylinder Head Chamber Volume" [cc]
  CFloatPtSpec gasketBore;          //!< "Head Gasket Bore Diameter" [in | mm]
  CFloatPtSpec gasketThickness;     //!< "Head Gasket Compressed Thickness" [in | mm]
  CFloatPtSpec domeVolume;          //!< "Piston Dome Volume" [cc], method 2
  CFloatPtSpec reliefsVolume;       //!< "Piston Valve Reliefs Volume" [cc], method 2
  CFloatPtSpec deckClearance;       //!< "Piston To Deck Distance At TDC" [in | mm], method 2
  CFloatPtSpec downBoreDistance;    //!< "Piston Down Bore Distance from TDC" [in | mm], method 1
  CFloatPtSpec measuredVolume;      //!< "Piston to Deck Measured Volume" [cc], method 1
};

//! The four results, without limits; unassigned where they cannot be formed.
struct CompRatioResults {
  CompRatioResults();
  CFloatPtSpec headGasketVolume;    //!< "Head Gasket Volume" [cc], 2 decimals
  CFloatPtSpec deckVolume;          //!< "Deck Volume" above the piston at TDC [cc], 2 decimals
  CFloatPtSpec totalVolume;         //!< "Total Combustion Volume" [cc], 2 decimals
  CFloatPtSpec compressionRatio;    //!< "New Compression Ratio", 2 decimals
};

//! Volume of a cylinder of diameter d and height h [in] in cm³ (h may be negative).
float CylinderSliceVolumeCc(float diameter, float height);

//! Recomputes every result from the inputs. A method other than 1 or 2, or an
//! invalid bore or cylinder volume, is a FatalAssert. A total of 0 leaves the
//! ratio unassigned (the dialog shows "Infinity").
void ComputeCompressionRatio(const CompRatioInputs& in, CompRatioResults& out);

//! The checks of "Apply", in order: 90, 91, 92; method 2: 177, 178, 179;
//! method 1: 180, 181; 96 without a ratio; 89 when the ratio lies outside
//! the limits of `documentRatio` (the document's "Compression Ratio").
bool CheckCompressionRatioApply(const CompRatioInputs& in, const CompRatioResults& out,
                                const CFloatPtSpec& documentRatio, int& code);

}  // namespace brisca
