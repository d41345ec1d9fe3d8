#pragma once
// Pictures are saved as every other file of ours is: encoded in memory first,
// then written through AtomicFileWriter (beside the old file and renamed over
// it). A full disk or a file-size limit never leaves a picture cut short: the
// old file stays as it was, or none is there.

#include <filesystem>

class QImage;

namespace brisca {

//! Saves `image` as a BMP file at `target`. Any failure throws FileError 44
//! (kErrWrite) whose detail names the target and the cause; the target is
//! then untouched and no temporary file is left behind.
void SaveBitmapFile(const QImage& image, const std::filesystem::path& target);

}  // namespace brisca
