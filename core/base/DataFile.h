#pragma once
// Loading and saving a whole data file (engine, flow, cam and report-settings
// files), the one way every owner does it:
//
//   loading  — the file is read whole (ReadTextFile: one size limit, 43 / 45 /
//              46), its CR LF line ends read as LF the way the text-mode stream
//              of the system that wrote it read them, and the text is handed to
//              the owner's reader;
//   saving   — the owner's writer fills a temporary file beside the target,
//              which is flushed (44), closed (46) and renamed over the target
//              (AtomicFileWriter): a failed save leaves the old file whole.
//
// A FileError raised by the file or by the owner's reader or writer is shown
// once with ReportErrorCode and the answer is false; the owner then keeps its
// records as they were (a reader works on a scratch copy and takes it over at
// the end).

#include <filesystem>
#include <functional>
#include <string>

namespace brisca {

class TextReader;
class TextWriter;

//! Reads the data file at `path` and hands its text to `read`. False (after
//! the code is reported) on any FileError; `where` names the operation.
bool LoadDataFile(const std::filesystem::path& path, const char* where,
                  const std::function<void(TextReader&)>& read);

//! Saves the data file at `path` with the text `write` gives it. False (after
//! the code is reported, the target untouched) on any FileError.
bool SaveDataFile(const std::filesystem::path& path, const char* where,
                  const std::function<void(TextWriter&)>& write);

//! The text as a text-mode stream reads it: each CR LF becomes LF; a CR not
//! followed by LF stays.
std::string TextModeLineEnds(std::string text);

}  // namespace brisca
