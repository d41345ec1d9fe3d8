#pragma once

namespace brisca {

//! Induction restriction constant k_ind from the rated "Induction Flow" [cfm]:
//! × 3.810418e-5 when rated at 3.0 inHg (rating 2), else × 5.387931e-5 (1.5 inHg);
//! a quarter of that for the stack and individual-runner manifolds (types 15..19).
//! The manifold pressure drop is 7.916e-6·(engine cfm/(60·k_ind))² psi.
float InductionRestriction(int inductionFlow, int inductionRating, int manifoldType);

//! Manifold pressure drop [psi] at the airflow an engine of `displacement` [in³]
//! draws at `rpm` with volumetric efficiency `ve` [%]: 7.916e-6·t², with
//! t = D·rpm·VE·0.01/(k_ind·207360), the engine cfm over 60·k_ind.
double ManifoldPressureDrop(double displacement, double rpm, double ve, double restriction);

}  // namespace brisca
