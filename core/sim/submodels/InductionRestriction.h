#pragma once

namespace brisca {

//! Induction restriction constant k_ind from the rated "Induction Flow" [cfm]:
//! × 3.810418e-5 when rated at 3.0 inHg (rating 2), else × 5.387931e-5 (1.5 inHg);
//! a quarter of that for the stack and individual-runner manifolds (types 15..19).
//! The manifold pressure drop is 7.916e-6·(engine cfm/(60·k_ind))² psi.
float InductionRestriction(int inductionFlow, int inductionRating, int manifoldType);

}  // namespace brisca
