#!/usr/bin/env python3
"""One measured run of the Linux saver on the X display in $DISPLAY.

  measure_run.py PROGRAM RUN_DIR SPEED COLOUR SECONDS X_SERVER_PID

Writes prumya.ini (speed, color) into RUN_DIR, paints the root white, starts
PROGRAM /s there and prints one line of figures:
  black_ms cpu_pct x_cpu_pct fps vmhwm_kib exit_ms
black_ms: start to a black primary monitor (sampled rows, 95% black);
cpu_pct: the saver's CPU over SECONDS as % of one core (all its threads);
x_cpu_pct: the X server's over the same time; fps: frames presented per
second (the measuring build's own count); exit_ms: from the exit key (sent
with XTEST) to the process's end. A figure that could not be taken is "-".
"""
import ctypes
import ctypes.util
import os
import re
import subprocess
import sys
import time

X11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
XTST = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst"))
X11.XOpenDisplay.restype = ctypes.c_void_p
X11.XDefaultRootWindow.restype = ctypes.c_ulong
X11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
X11.XGetImage.restype = ctypes.c_void_p
X11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
X11.XStringToKeysym.restype = ctypes.c_ulong
X11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
X11.XFree.argtypes = [ctypes.c_void_p]
ZPIXMAP = 2
ALL_PLANES = 0xFFFFFFFF


class XImage(ctypes.Structure):  # the leading fields of Xlib's XImage
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


def now_ms():
    return time.monotonic() * 1000.0


def black_share(display, root, width, height):
    """Share of black pixels in eight rows across the primary (at 0,0)."""
    black = total = 0
    for k in range(1, 9):
        p = X11.XGetImage(display, root, 0, height * k // 9, width, 1, ALL_PLANES, ZPIXMAP)
        if not p:
            return 0.0
        image = XImage.from_address(p)
        size = image.bits_per_pixel // 8
        row = ctypes.string_at(image.data, width * size)
        zero = bytes(size)
        for i in range(0, len(row), size):
            pixel = row[i:i + size]
            if size == 4:
                pixel = pixel[:3]  # the pad byte is not colour
                zero = bytes(3)
            black += pixel == zero
            total += 1
        X11.XFree(ctypes.c_void_p(image.data))
        X11.XFree(ctypes.c_void_p(p))
    return black / total if total else 0.0


def cpu_ticks(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])  # utime + stime
    except OSError:
        return None


def vm_hwm(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            m = re.search(r"^VmHWM:\s+(\d+)", f.read(), re.M)
        return int(m.group(1)) if m else None
    except OSError:
        return None


def paint_root_white(display, root):
    X11.XWhitePixel.restype = ctypes.c_ulong
    X11.XSetWindowBackground(ctypes.c_void_p(display), ctypes.c_ulong(root),
                             ctypes.c_ulong(X11.XWhitePixel(ctypes.c_void_p(display), 0)))
    X11.XClearWindow(ctypes.c_void_p(display), ctypes.c_ulong(root))
    X11.XSync(ctypes.c_void_p(display), 0)


def send_key(display, name):
    code = X11.XKeysymToKeycode(display, X11.XStringToKeysym(name.encode()))
    for down in (1, 0):
        XTST.XTestFakeKeyEvent(ctypes.c_void_p(display), code, down, 0)
    X11.XFlush(ctypes.c_void_p(display))


def fmt(value, pattern):
    return "-" if value is None else pattern % value


def main():
    program, run_dir, speed, colour, seconds, server = sys.argv[1:7]
    seconds = float(seconds)
    with open(os.path.join(run_dir, "prumya.ini"), "w", newline="\r\n") as f:
        f.write(f"[action]\nspeed={speed}\ncolor={colour}\n")
    display = X11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    root = X11.XDefaultRootWindow(display)
    width = X11.XDisplayWidth(ctypes.c_void_p(display), 0)
    height = X11.XDisplayHeight(ctypes.c_void_p(display), 0)
    paint_root_white(display, root)

    hz = os.sysconf("SC_CLK_TCK")
    err = open(os.path.join(run_dir, "err.txt"), "w")
    start = now_ms()
    saver = subprocess.Popen([program, "/s"], cwd=run_dir, stdout=err, stderr=err)
    black = None
    while black is None and now_ms() - start < 10000 and saver.poll() is None:
        if black_share(display, root, width, height) >= 0.95:
            black = now_ms() - start
        else:
            time.sleep(0.002)

    time.sleep(1.0)  # warm-up
    t0, c0, x0 = now_ms(), cpu_ticks(saver.pid), cpu_ticks(server)
    time.sleep(seconds)
    t1, c1, x1 = now_ms(), cpu_ticks(saver.pid), cpu_ticks(server)
    hwm = vm_hwm(saver.pid)
    span = (t1 - t0) / 1000.0

    def share(a, b):
        return None if a is None or b is None else 100.0 * (b - a) / hz / span

    exit_ms = None
    if saver.poll() is None:
        send_key(display, "q")
        sent = now_ms()
        while saver.poll() is None and now_ms() - sent < 10000:
            time.sleep(0.001)
        if saver.poll() is None:
            saver.kill()
            saver.wait()
        else:
            exit_ms = now_ms() - sent
    err.close()

    fps = None
    with open(os.path.join(run_dir, "err.txt")) as f:
        m = re.search(r"presents=(\d+) first=([\d.]+) last=([\d.]+)", f.read())
    if m and int(m.group(1)) > 1 and float(m.group(3)) > float(m.group(2)):
        fps = (int(m.group(1)) - 1) * 1000.0 / (float(m.group(3)) - float(m.group(2)))
    print(" ".join([fmt(black, "%.0f"), fmt(share(c0, c1), "%.1f"), fmt(share(x0, x1), "%.1f"),
                    fmt(fps, "%.1f"), fmt(hwm, "%d"), fmt(exit_ms, "%.0f")]))


if __name__ == "__main__":
    main()
