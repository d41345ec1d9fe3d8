#pragma once
// The click a value field makes when the pointer gives it the focus: a few
// milliseconds of sound made in memory and played asynchronously through the
// default audio output. A machine without one (a build server, a remote
// session) plays nothing, and nothing waits for the sound either way.

#include <functional>

namespace brisca {

class ClickSound {
 public:
  //! Starts the click and returns at once; a click still sounding starts over.
  static void Play();
  //! Tests count the clicks here instead of hearing them; an empty hook
  //! restores the sound.
  static void SetPlayHook(std::function<void()> hook);
};

}  // namespace brisca
