#pragma once
// The menu command ids of the program, in one place: the document's commands,
// the application's and the window's. Both front ends and the tests name a
// command by these; the component menus' ids are the keys of the catalogue rows
// (PartCat.h) and are not repeated here.

namespace brisca::command {

// Engine document.
inline constexpr int kRun = 32902;
inline constexpr int kAutoRun = 32906;
inline constexpr int kAutoValveSizes = 32904;
inline constexpr int kAutoValveLift = 32905;
inline constexpr int kAutoActivationRpm = 33863;
inline constexpr int kAutoRampRate = 33520;
inline constexpr int kDomesticUnits = 32876;
inline constexpr int kMetricUnits = 32877;
inline constexpr int kClearComponents = 57632;
inline constexpr int kSaveAs = 57604;
inline constexpr int kAirflowFileOpen = 32918;
inline constexpr int kAirflowFileSave = 32919;
inline constexpr int kCamFileOpen = 32920;
inline constexpr int kCamFileSave = 32921;
inline constexpr int kAirflowMath = 32875;
inline constexpr int kCompressionRatioMath = 32878;
inline constexpr int kCamMathLowSpeedLobe = 34568;
inline constexpr int kCamMathHighSpeedLobe = 34569;
inline constexpr int kCamManager = 33519;
inline constexpr int kQuickIterator = 32963;
inline constexpr int kProIterator = 33545;
inline constexpr int kProIteratorResults = 33546;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kReportPrint = 33617;
inline constexpr int kReportPreview = 33618;
inline constexpr int kReportSetup = 33619;
inline constexpr int kContest = 33623;

// Menus without catalogue rows.
inline constexpr int kFirstValveCount = 32914;  //!< 32914, 32915 intake; 32916, 32917 exhaust
inline constexpr int kLastValveCount = 32917;
inline constexpr int kFirstPressureDrop = 33440;  //!< 33440 "1.5 inHg", 33441 "3.0 inHg"
inline constexpr int kLastPressureDrop = 33441;

// Application and main frame.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kUserManual = 33435;
inline constexpr int kSchemeWindowsStandard = 33445;
inline constexpr int kSchemeBasicBlue = 34565;
inline constexpr int kSchemeDeepBlue = 34566;
inline constexpr int kSchemeOrangeOriginal = 34567;
inline constexpr int kWorkbook = 32771;
inline constexpr int kFileMru1 = 57616;  //!< 57616..57619: the four recent files
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kWindowNew = 57648;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kTimer1Command = 33442;  //!< posted when main-frame timer 1 fires
inline constexpr int kTimer2Command = 33443;  //!< posted when main-frame timer 2 fires

}  // namespace brisca::command
