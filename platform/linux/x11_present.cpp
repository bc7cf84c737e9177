#include "platform/linux/x11_present.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

namespace plat::linux_port {

namespace {

Display* Dpy(void* display) { return static_cast<Display*>(display); }

bool IsXrgb8888(const PixelFormat& f) {
  return f.rgbBitCount == 32 && f.redMask == 0xFF0000 && f.greenMask == 0xFF00 &&
         f.blueMask == 0xFF;
}

// An attach the server refuses comes back as an X error, not as a result.
bool attachFailed = false;
int NoteAttachError(Display*, XErrorEvent*) {
  attachFailed = true;
  return 0;
}

// Local connections only: the server cannot see a remote client's memory.
bool IsLocal(Display* d) {
  const char* name = DisplayString(d);
  return name != nullptr && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
}

}  // namespace

struct X11ShmPresenter::Segment {
  Display* display = nullptr;
  XShmSegmentInfo info{};
  XImage* image = nullptr;
  bool attached = false;
  ~Segment() {
    if (attached) {
      XShmDetach(display, &info);
      XSync(display, False);
    }
    if (image != nullptr) {
      image->data = nullptr;  // the segment is not the image's to free
      XDestroyImage(image);
    }
    if (info.shmaddr != nullptr && info.shmaddr != reinterpret_cast<char*>(-1)) shmdt(info.shmaddr);
  }
};

std::unique_ptr<X11ShmPresenter> X11ShmPresenter::Create(void* display, unsigned long window) {
  Display* d = Dpy(display);
  if (d == nullptr || !IsLocal(d) || !XShmQueryExtension(d)) return nullptr;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(d, window, &attributes)) return nullptr;
  const Visual* v = attributes.visual;
  if (attributes.depth != 24 || v->red_mask != 0xFF0000 || v->green_mask != 0xFF00 ||
      v->blue_mask != 0xFF || ImageByteOrder(d) != LSBFirst) {
    return nullptr;
  }
  std::unique_ptr<X11ShmPresenter> presenter(new X11ShmPresenter(display, window));
  if (!presenter->NewSegment(1, 1)) return nullptr;  // the server can attach one
  return presenter;
}

X11ShmPresenter::X11ShmPresenter(void* display, unsigned long window)
    : display_(display), window_(window) {
  gc_ = XCreateGC(Dpy(display_), window_, 0, nullptr);
}

X11ShmPresenter::~X11ShmPresenter() {
  converted_.reset();
  if (gc_ != nullptr) XFreeGC(Dpy(display_), static_cast<GC>(gc_));
}

std::shared_ptr<X11ShmPresenter::Segment> X11ShmPresenter::NewSegment(std::int32_t width,
                                                                     std::int32_t height) {
  Display* d = Dpy(display_);
  auto segment = std::make_shared<Segment>();
  segment->display = d;
  XWindowAttributes attributes;
  XGetWindowAttributes(d, window_, &attributes);
  segment->image = XShmCreateImage(d, attributes.visual, 24, ZPixmap, nullptr, &segment->info,
                                   static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (segment->image == nullptr || segment->image->bits_per_pixel != 32 ||
      segment->image->bytes_per_line != width * 4) {
    return nullptr;
  }
  segment->info.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(width) * height * 4,
                               IPC_CREAT | 0600);
  if (segment->info.shmid < 0) return nullptr;
  segment->info.shmaddr = static_cast<char*>(shmat(segment->info.shmid, nullptr, 0));
  segment->image->data = segment->info.shmaddr;
  segment->info.readOnly = True;
  if (segment->info.shmaddr != reinterpret_cast<char*>(-1)) {
    attachFailed = false;
    XErrorHandler previous = XSetErrorHandler(NoteAttachError);
    segment->attached = XShmAttach(d, &segment->info) != 0;
    XSync(d, False);
    XSetErrorHandler(previous);
    segment->attached = segment->attached && !attachFailed;
  }
  // Marked for removal now: the segment goes once both sides detach, even
  // if the process dies.
  shmctl(segment->info.shmid, IPC_RMID, nullptr);
  return segment->attached ? segment : nullptr;
}

soft::PixelMemory X11ShmPresenter::LendPrimary(std::int32_t width, std::int32_t height,
                                               const PixelFormat& format) {
  if (!IsXrgb8888(format)) return nullptr;
  std::shared_ptr<Segment> segment = NewSegment(width, height);
  if (!segment) return nullptr;
  lent_ = segment;
  auto* bits = reinterpret_cast<std::uint8_t*>(segment->info.shmaddr);
  return soft::PixelMemory(bits, soft::PixelRelease{[segment](std::uint8_t*) mutable {
                             segment.reset();
                           }});
}

bool X11ShmPresenter::Present(const LockedSurface& frame) {
  std::shared_ptr<Segment> source = lent_.lock();
  if (!source || frame.bits != source->info.shmaddr) {
    if (!converted_ || converted_->image->width != frame.width ||
        converted_->image->height != frame.height) {
      converted_.reset();
      converted_ = NewSegment(frame.width, frame.height);
    }
    if (!converted_) return false;
    const Uint32 from = frame.format.rgbBitCount == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    if (SDL_ConvertPixels(frame.width, frame.height, from, frame.bits, frame.pitch,
                          SDL_PIXELFORMAT_RGB888, converted_->info.shmaddr,
                          converted_->image->bytes_per_line) != 0) {
      return false;
    }
    source = converted_;
  }
  Display* d = Dpy(display_);
  XShmPutImage(d, window_, static_cast<GC>(gc_), source->image, 0, 0, 0, 0,
               static_cast<unsigned>(frame.width), static_cast<unsigned>(frame.height), False);
  XSync(d, False);
  return true;
}

}  // namespace plat::linux_port
