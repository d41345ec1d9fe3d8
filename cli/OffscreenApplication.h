#pragma once
// The desktop library draws with widgets, which need an application object;
// brisca-cli makes one on Qt's offscreen platform, which needs no display.
// Only built with the desktop library.

#include <memory>

class QApplication;

namespace brisca::cli {

//! A new application object on the offscreen platform, or nullptr when the
//! process already has one.
std::unique_ptr<QApplication> MakeOffscreenApplication();

}  // namespace brisca::cli
