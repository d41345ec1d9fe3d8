#pragma once
// The File menu's report commands on an engine document. Print and Preview
// fill the report folder, make the report with the pictures of the document's
// charts and then hand the report file on, even when making it reported an
// error: Print lays it out and prints it, Preview asks the system to open it.

#include <filesystem>

class QWidget;

namespace brisca {

class CVexoDoc;
class ViewRegistry;
struct ProgramPaths;

//! Fills the report folder from the installed pieces and generates the
//! report (charts as `views` show them). Returns the report file's path.
std::filesystem::path MakeReport(CVexoDoc& document, const ViewRegistry& views, const ProgramPaths& paths);

//! "Kalvex...": makes the report, lays it out and prints it (print dialog).
void RunReportPrint(CVexoDoc& document, const ViewRegistry& views, const ProgramPaths& paths, QWidget* parent);
//! "Kalvex Preview...": makes the report and opens it with the system's opener.
void RunReportPreview(CVexoDoc& document, const ViewRegistry& views, const ProgramPaths& paths);
//! "Kalvex Setup...": fills the report folder (where Browse starts) and runs
//! the setup dialog; after OK the document is modified and its windows say
//! so. True when OK ended it.
bool RunReportSetup(CVexoDoc& document, const ProgramPaths& paths, QWidget* parent);

}  // namespace brisca
