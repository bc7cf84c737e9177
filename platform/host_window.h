// A window that another program hands the saver to draw in: a screen-saver
// host's preview pane or screen window. The saver asks its size, shows
// software frames in it, and waits between frames; the wait returns early
// when the window changes or the process is asked to stop.
#pragma once
#include <cstdint>

#include "platform/soft/present_target.h"

namespace plat {

class IHostWindow : public IPresentTarget {
 public:
  // The area to draw in, in pixels; false once the window is gone.
  virtual bool Size(std::int32_t& width, std::int32_t& height) = 0;
  // Handles the window's events for at most timeoutMs milliseconds.
  virtual void Wait(std::uint32_t timeoutMs) = 0;
  // The window went away, or the process was asked to stop.
  virtual bool Gone() = 0;
};

}  // namespace plat
