#include "platform/linux/x11_host_window.h"

#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/soft/pixel_view.h"

namespace plat::linux_port {

namespace {

// X reports errors asynchronously to one process-wide handler; the default
// one would end the process. A drawable that no longer exists is the host's
// window gone; any error during the shared-memory attach makes it unusable.
struct XErrors {
  bool drawableGone = false;
  int count = 0;
};
XErrors g_errors;

int OnXError(Display*, XErrorEvent* event) {
  ++g_errors.count;
  if (event->error_code == BadWindow || event->error_code == BadDrawable) {
    g_errors.drawableGone = true;
  }
  return 0;
}

// One 8-bit channel placed into a visual's mask.
unsigned long ToMask(std::uint32_t channel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = __builtin_ctzl(mask);
  const int bits = __builtin_popcountl(mask);
  const unsigned long value = bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits);
  return (value << shift) & mask;
}

bool IsXrgb(const XImage& image) {
  return image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 &&
         image.green_mask == 0xFF00 && image.blue_mask == 0xFF &&
         image.byte_order == (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst);
}

}  // namespace

X11HostWindow::~X11HostWindow() {
  if (display_ == nullptr) return;
  DropImage();
  if (gc_ != nullptr) XFreeGC(display_, gc_);
  XCloseDisplay(display_);
}

bool X11HostWindow::Attach(std::uint32_t window, std::string& error) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    error = "cannot open the display; is DISPLAY set?";
    return false;
  }
  XSetErrorHandler(&OnXError);
  window_ = window != 0 ? window : DefaultRootWindow(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window_, &attributes) == 0 ||
      attributes.c_class == InputOnly) {
    char text[64];
    std::snprintf(text, sizeof text, "no window 0x%lx to draw in", window_);
    error = text;
    return false;
  }
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  width_ = attributes.width;
  height_ = attributes.height;
  screenWidth_ = WidthOfScreen(attributes.screen);
  screenHeight_ = HeightOfScreen(attributes.screen);
  // Our own event mask on that window; the owner's is not touched.
  XSelectInput(display_, window_, StructureNotifyMask);
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  shmUsable_ = XShmQueryExtension(display_) == True;
  XSync(display_, False);
  return !g_errors.drawableGone;
}

bool X11HostWindow::Size(std::int32_t& width, std::int32_t& height) {
  if (Gone()) return false;
  width = width_;
  height = height_;
  return true;
}

void X11HostWindow::HandleEvents() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == ConfigureNotify && event.xconfigure.window == window_) {
      width_ = event.xconfigure.width;
      height_ = event.xconfigure.height;
    } else if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
      gone_ = true;
    }
  }
  if (g_errors.drawableGone) gone_ = true;
}

void X11HostWindow::Wait(std::uint32_t timeoutMs) {
  if (display_ == nullptr || gone_) return;
  XFlush(display_);
  HandleEvents();
  pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {stopFd_, POLLIN, 0}};
  if (!gone_ && XPending(display_) == 0) {
    poll(fds, stopFd_ >= 0 ? 2 : 1, static_cast<int>(timeoutMs));
  }
  HandleEvents();
}

bool X11HostWindow::StopAsked() const {
  if (stopFd_ < 0) return false;
  pollfd fd{stopFd_, POLLIN, 0};
  return poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN) != 0;
}

bool X11HostWindow::Gone() {
  if (!stopped_ && StopAsked()) stopped_ = true;
  return display_ == nullptr || gone_ || stopped_;
}

void X11HostWindow::Present(const LockedSurface& frame) {
  if (Gone() || frame.width <= 0 || frame.height <= 0) return;
  if (image_ == nullptr || image_->width != frame.width || image_->height != frame.height) {
    DropImage();
    if (!MakeImage(frame.width, frame.height)) return;
  }
  Fill(frame);
  const auto w = static_cast<unsigned>(frame.width), h = static_cast<unsigned>(frame.height);
  if (shared_) {
    XShmPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, w, h, False);
  } else {
    XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, w, h);
  }
  // The server has read the frame before the next one is written, and a
  // window destroyed meanwhile shows up as an error now.
  XSync(display_, False);
  if (g_errors.drawableGone) gone_ = true;
}

bool X11HostWindow::MakeImage(std::int32_t width, std::int32_t height) {
  if (shmUsable_ && MakeSharedImage(width, height)) return true;
  image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (image_ == nullptr) return false;
  image_->data = static_cast<char*>(
      std::malloc(static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(height)));
  if (image_->data == nullptr) DropImage();
  return image_ != nullptr;
}

// A server that cannot attach the segment (a remote display) is asked no
// more; frames then go through the connection.
bool X11HostWindow::MakeSharedImage(std::int32_t width, std::int32_t height) {
  image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                           &shm_, static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image_ == nullptr) return false;
  shm_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(height),
                      IPC_CREAT | 0600);
  void* memory = shm_.shmid >= 0 ? shmat(shm_.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
  if (memory == reinterpret_cast<void*>(-1)) {
    if (shm_.shmid >= 0) shmctl(shm_.shmid, IPC_RMID, nullptr);
    XDestroyImage(image_);
    image_ = nullptr;
    shmUsable_ = false;
    return false;
  }
  shm_.shmaddr = image_->data = static_cast<char*>(memory);
  shm_.readOnly = False;
  const int errorsBefore = g_errors.count;
  const bool attached = XShmAttach(display_, &shm_) == True;
  XSync(display_, False);
  shmctl(shm_.shmid, IPC_RMID, nullptr);  // freed once both sides let go
  shared_ = attached && g_errors.count == errorsBefore;
  if (!shared_) {
    if (attached) XShmDetach(display_, &shm_);
    shmdt(shm_.shmaddr);
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    shmUsable_ = false;
  }
  return shared_;
}

void X11HostWindow::DropImage() {
  if (image_ == nullptr) return;
  if (shared_) {
    XShmDetach(display_, &shm_);
    XSync(display_, False);
    shmdt(shm_.shmaddr);
    image_->data = nullptr;  // not ours to free
    shared_ = false;
  }
  XDestroyImage(image_);
  image_ = nullptr;
}

// XRGB8888 frames into a visual of the same layout are copied row by row;
// anything else is converted pixel by pixel.
void X11HostWindow::Fill(const LockedSurface& frame) {
  const auto* source = static_cast<const std::uint8_t*>(frame.bits);
  if (frame.format.rgbBitCount == 32 && IsXrgb(*image_)) {
    const std::size_t row = static_cast<std::size_t>(frame.width) * 4;
    for (std::int32_t y = 0; y < frame.height; ++y) {
      std::memcpy(image_->data + static_cast<std::ptrdiff_t>(y) * image_->bytes_per_line,
                  source + static_cast<std::ptrdiff_t>(y) * frame.pitch, row);
    }
    return;
  }
  using soft::PixelLayout;
  const PixelLayout layout =
      frame.format.rgbBitCount == 16 ? PixelLayout::Rgb565 : PixelLayout::Xrgb8888;
  const soft::PixelView view{const_cast<std::uint8_t*>(source), frame.pitch, frame.width,
                             frame.height, layout};
  for (std::int32_t y = 0; y < frame.height; ++y) {
    for (std::int32_t x = 0; x < frame.width; ++x) {
      const std::uint32_t rgb = soft::RgbFromNative(layout, soft::ReadPixel(view, x, y));
      XPutPixel(image_, x, y,
                ToMask((rgb >> 16) & 0xFF, image_->red_mask) |
                    ToMask((rgb >> 8) & 0xFF, image_->green_mask) | ToMask(rgb & 0xFF, image_->blue_mask));
    }
  }
}

}  // namespace plat::linux_port
