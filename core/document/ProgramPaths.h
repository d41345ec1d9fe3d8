#pragma once
// Where the program's files live.
//  - start-up folder: the current folder when the program starts; engine, flow
//    and cam files default to folders below it;
//  - program-data folder: read-only files beside the program (compressor maps,
//    report templates, samples): data/ of the source tree when run from a
//    build, <prefix>/share/brisca after `cmake --install`;
//  - generated-data folder: files the build makes (the user manual's PDF): data/ of
//    the build tree when run from a build, the program-data folder once installed;
//  - report folder: user-writable, $XDG_DATA_HOME/brisca/Reports (or
//    ~/.local/share/brisca/Reports), filled from the program data when needed.

#include <filesystem>

namespace brisca {

struct ProgramPaths {
  std::filesystem::path startupFolder;
  std::filesystem::path programDataFolder;
  std::filesystem::path generatedDataFolder;
  std::filesystem::path reportFolder;

  //! Engine files: "EngineFiles (.QEN)" below the start-up folder.
  std::filesystem::path EngineFolder() const { return startupFolder / "EngineFiles (.QEN)"; }
  //! Flow files: "FlowFiles (.QFW)" below the start-up folder.
  std::filesystem::path FlowFolder() const { return startupFolder / "FlowFiles (.QFW)"; }
  //! Cam files: "CamFiles (.QCM)" below the start-up folder.
  std::filesystem::path CamFolder() const { return startupFolder / "CamFiles (.QCM)"; }
  //! Compressor maps: "Manuals & Videos/Maps" in the program-data folder.
  std::filesystem::path MapFolder() const { return programDataFolder / "Manuals & Videos" / "Maps"; }
  //! The user manual's folder: "Manuals & Videos" among the generated data (the build
  //! makes the manual).
  std::filesystem::path ManualFolder() const { return generatedDataFolder / "Manuals & Videos"; }
  //! The user manual: "Brisca User Manual.pdf" in the manual's folder.
  std::filesystem::path ManualFile() const { return ManualFolder() / "Brisca User Manual.pdf"; }
  //! The installed report pieces: "Manuals & Videos/Kalvex" in the program-data folder.
  std::filesystem::path ReportDefaultsFolder() const {
    return programDataFolder / "Manuals & Videos" / "Kalvex";
  }

  //! Paths for this process: call once at start-up, before the current folder changes.
  static ProgramPaths Discover();
};

}  // namespace brisca
