#pragma once
// The report folder is the user's: the program data may be read-only, and a
// report writes its temporary file, its report file and its chart images
// there. It starts as a copy of the installed report pieces (template, page
// bottom, table of contents, glossaries, logos), and a piece the user has
// removed comes back from the installed copy; one the user has edited is kept.
// A piece is copied whole or not at all (a temporary file renamed into place),
// and an empty one, which only a copy cut short leaves, is copied again.

#include <filesystem>

namespace brisca {

struct ProgramPaths;

//! The installed report pieces: "Manuals & Videos/Kalvex" in the program-data folder.
std::filesystem::path InstalledReportFolder(const ProgramPaths& paths);

//! Creates `reportFolder` when missing and copies into it every file of
//! `installedFolder` it lacks or holds empty; the empty ones replaced are named
//! in notice 305. False when the folder cannot be created or a missing piece
//! cannot be copied; the report then reports what it lacks.
bool FillReportFolder(const std::filesystem::path& reportFolder,
                      const std::filesystem::path& installedFolder);

//! Copies one piece through a temporary file beside `to`, renamed over it when
//! whole: `to` is then the copy, or as it was. False when the copy failed.
bool CopyReportPiece(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace brisca
