#pragma once
// The "&Tools" menu's calculator commands on an engine document: each runs its
// dialog modally and, when "Apply" ended it, stores the results in the document.

class QWidget;

namespace brisca {

class CVexoDoc;

//! "Compression &Ratio Math...": error 88 without a complete short block, and no
//! dialog. After "Apply" the document holds the calculator's values (Combustion
//! Space among them), sets the calculator's data-valid flag, is recalculated,
//! marked modified and redrawn. Apply with nothing typed or chosen stores
//! nothing. True when something was stored.
bool RunCompressionRatioMath(CVexoDoc& document, QWidget* parent);

//! "&Airflow Math...": "Induction Flow" and "Pressure Drop" take the rating
//! (domestic values); when that changed them the document is recalculated,
//! marked modified and redrawn. True when something was stored.
bool RunAirflowMath(CVexoDoc& document, QWidget* parent);

//! "Cam Math": the low-speed (lobeIndex 0) or high-speed lobe (1, only with
//! variable valve timing) takes the dialog's copy when a typed value changed
//! it; the document is then recalculated, marked modified and redrawn. The cam
//! file name stays.
bool RunCamMath(CVexoDoc& document, int lobeIndex, QWidget* parent);

}  // namespace brisca
