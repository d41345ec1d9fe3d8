#pragma once
// Engine documents assembled in code, for tests.

#include "core/document/VexoDoc.h"

namespace brisca::samples {

//! A 350 ci small-block V8: built-in head 1 with automatic valve sizes, the
//! "Stock Street/Economy" cam with automatic lifts, a 750 cfm carburettor on a
//! dual-plane manifold, small-tube headers with mufflers. Auto Run is off so
//! that building it runs nothing.
inline void BuildSmallBlockV8(CVexoDoc& doc) {
  EngineParameters& e = doc.Engine();
  e.autoRun = false;
  e.shortBlockType.SetSelection(125, "Chevy 350");
  e.bore.SetValue(4.0f);
  e.stroke.SetValue(3.48f);
  e.cylinders.SetValue(8);
  e.cylinderHeadType.SetSelection(1, "Head 1");
  e.flow.LoadBuiltIn(1);
  e.intakeValves.SetValue(1);
  e.exhaustValves.SetValue(1);
  e.autoValveSizes = true;
  e.compressionRatio.SetValue(9.5f);
  e.inductionFlow.SetValue(750.0f);
  e.pressureDrop.SetValue(1.5f);
  e.manifoldType.SetSelection(2, "Dual-Plane");
  e.exhaustSystem.SetSelection(5, "Small-Tube Headers, Mufflers WO/Cat");
  e.camshaft.LoadCamType(32879);
  e.camshaft.SetAutoValveLift(true);
  doc.UpdateDerivedValues();
}

}  // namespace brisca::samples

namespace brisca::samples {

//! The same small-block V8 as BuildSmallBlockV8, assembled only from component
//! commands as a user picks them from the menus (no edit dialog open).
inline void BuildSmallBlockV8FromComponents(CVexoDoc& doc) {
  doc.Engine().autoRun = false;
  constexpr int kCommands[] = {
      34104,  // short block "Chevy 350"
      32795,  // cylinder head 1
      32904,  // Auto Calculate Valve Sizes
      33557,  // compression ratio 9.5
      32854,  // 750 cfm at 1.5 inHg
      33668,  // manifold item 2
      32866,  // exhaust item 5
      32879,  // "Stock Street/Economy" cam
      32905,  // Auto Calculate Valve Lift
  };
  for (int command : kCommands) doc.OnComponentCommand(command);
  doc.UpdateDerivedValues();
}

}  // namespace brisca::samples
