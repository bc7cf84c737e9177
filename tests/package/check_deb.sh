#!/usr/bin/env bash
# The Debian package as a user gets it: built by CPack from the Linux build,
# named and versioned after the about box, holding exactly what
# `cmake --install` lays out under /usr (the program stripped), declaring
# the libraries it is built on, passing lintian without errors,
# installing into a throwaway root with dpkg and running from there without
# writing anything.
#   tests/package/check_deb.sh LINUX_BUILD
set -uo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
e2e_setup package "$@"
shown() { result "$1" "$2"; [ "$2" -eq 0 ] || head -n 20 "$3" 2>/dev/null | sed 's/^/    /'; }  # name status detail-file
finish() { summary; exit; }

# "スクリーンセーバ ぷるみゅら Version 3.1" in the about box.
VERSION=$(sed -n 's/.* Version \([0-9][0-9]*\.[0-9][0-9]*\)".*/\1/p' "$ROOT/saver/dialog_layout.cpp" | head -n1)
DEB=$LINUX_BUILD/prumya_${VERSION}_$(dpkg --print-architecture).deb
rm -f "$DEB"
cmake --build "$LINUX_BUILD" --target package -j2 >"$WORK/cpack.log" 2>&1
[ -n "$VERSION" ] && [ -f "$DEB" ]
shown "CPack builds $(basename "$DEB")" $? "$WORK/cpack.log"
[ -f "$DEB" ] || finish

# Path, type and link target of everything below a tree.
tree_listing() { (cd "$1" && find . -mindepth 1 -printf '%P %y %l\n' | sed 's/ $//' | sort); }

DESTDIR=$WORK/layout cmake --install "$LINUX_BUILD" --prefix /usr >"$WORK/install.log" 2>&1
shown "cmake --install lays out the tree to compare with" $? "$WORK/install.log"
dpkg-deb -x "$DEB" "$WORK/unpacked"
strip "$WORK/layout/usr/bin/prumya"
diff <(tree_listing "$WORK/layout") <(tree_listing "$WORK/unpacked") >"$WORK/diff.txt" &&
  diff -r --no-dereference "$WORK/layout" "$WORK/unpacked" >>"$WORK/diff.txt"
shown "the package holds exactly the install layout ($(grep -c ' f' <(tree_listing "$WORK/unpacked")) files), the program stripped" \
  $? "$WORK/diff.txt"

# Control fields as written.
[ "$(dpkg-deb -f "$DEB" Package Version Architecture Section Priority Suggests)" = "$(printf '%s\n' "Package: prumya" \
  "Version: $VERSION" "Architecture: $(dpkg --print-architecture)" "Section: x11" "Priority: optional" "Suggests: xscreensaver")" ]
result "control fields: name, version, architecture, section, priority, suggests" $?

# Depends comes from dpkg-shlibdeps (CPACK_DEBIAN_PACKAGE_SHLIBDEPS): it is
# there and names the libraries the program is built on.
depends=$(dpkg-deb -f "$DEB" Depends)
[[ "$depends" == *"libc6 "* && "$depends" == *libsdl2-2.0-0* && "$depends" == *libgtk-3-0* && "$depends" == *libx11-6* ]]
result "Depends names libc6, SDL2, GTK 3 and Xlib (${depends:0:60}...)" $?

if command -v lintian >/dev/null; then
  lintian --allow-root "$DEB" >"$WORK/lintian.txt" 2>&1
  ! grep -q '^E: ' "$WORK/lintian.txt"
  shown "lintian reports no error" $? "$WORK/lintian.txt"
else
  echo "lintian is not installed: not run"
fi

# dpkg into an empty root (the libraries are the host's); dpkg installs as root only.
if [ "$(id -u)" != 0 ]; then
  echo "not root: the install into a throwaway root is not run"
  finish
fi
R=$WORK/root
mkdir -p "$R/var/lib/dpkg/info" "$R/var/lib/dpkg/updates"
: >"$R/var/lib/dpkg/status"
dpkg --root="$R" --log="$WORK/dpkg.log" --force-depends -i "$DEB" >"$WORK/dpkg-i.txt" 2>&1 &&
  [ "$(dpkg-query --admindir="$R/var/lib/dpkg" -W -f='${Status}' prumya)" = "install ok installed" ]
shown "dpkg installs it into a throwaway root" $? "$WORK/dpkg-i.txt"

mkdir -p "$WORK/home" "$WORK/config"
snapshot() { find "$R" "$WORK/home" "$WORK/config" -printf '%p %s %T@\n' | grep -v '/var/lib/dpkg/' | sort; }
e2e_start_xvfb 640x480x24 || { result "Xvfb for the installed program" 1; finish; }
snapshot >"$WORK/before.txt"
(cd "$WORK/home" && HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config exec "$R/usr/bin/prumya" /p 1) \
  >"$WORK/run.txt" 2>&1 &
pid=$!
e2e_wait_exit "$pid" 30 || { e2e_kill "$pid"; E2E_RC=timeout; }
[ "$E2E_RC" = 0 ]
shown "the installed prumya /p 1 ends with exit code 0 (got $E2E_RC)" $? "$WORK/run.txt"
snapshot >"$WORK/after.txt"
diff "$WORK/before.txt" "$WORK/after.txt" >"$WORK/diff.txt"
shown "and writes nothing" $? "$WORK/diff.txt"
finish
