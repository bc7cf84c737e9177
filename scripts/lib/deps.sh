# Source me: installs the Debian packages the build and tests need, when
# missing. Quick when everything is there (dpkg look-ups only).

PRUMYA_PACKAGES=(
  cmake ninja-build g++ pkg-config python3 git
  g++-mingw-w64-x86-64 wine64 wine
  libsdl2-dev libgtk-3-dev libx11-dev libxext-dev googletest libgtest-dev
  xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  xdotool x11-utils x11-apps imagemagick fonts-noto-cjk locales
  xscreensaver
  dpkg-dev file lintian
  clang libclang-rt-14-dev
)

prumya_install_deps() {
  local missing=() p
  for p in "${PRUMYA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then return 0; fi
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages (run as root to install): ${missing[*]}" >&2
    return 1
  fi
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
