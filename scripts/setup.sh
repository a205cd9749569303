# Shared by the project's scripts (sourced, not run): installs what the build
# and the Wine runs need, builds both targets, and starts or stops the
# virtual display and the Wine server a run needs.

QUILLON_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$QUILLON_ROOT/scripts/root32.sh"
# What the set-up installs. `wine` holds the wine and wineserver commands on
# the PATH; wine64 alone keeps its programs under /usr/lib/wine. Installed
# without recommends, so the 32-bit Wine never comes along; but the X
# libraries that Wine's X11 driver loads when present are named here, since
# without them it behaves differently. Without the input extension's library
# (libxi6), for one, it confines the pointer by grabbing it, and the grab
# resynchronises the modifier keys with the X server's, so that a Shift
# held through a drag is let go of. sox and GNU time serve the render
# benchmark, doxygen the reference of the toolkit and the plug-in layer.
QUILLON_PACKAGES="cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 xvfb googletest libstb-dev nlohmann-json3-dev fonts-liberation debootstrap sox time doxygen
  libxi6 libxrender1 libxrandr2 libxfixes3 libxcursor1 libxcomposite1 libxinerama1 libxxf86vm1"

# Every outside command the scripts and the build run, each with the package
# that holds it (one of the list above or one they pull in).
QUILLON_COMMANDS="
  cmake cmake
  ctest cmake
  make make
  i686-w64-mingw32-gcc-posix gcc-mingw-w64-i686-posix
  i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
  i686-w64-mingw32-windres binutils-mingw-w64-i686
  x86_64-w64-mingw32-gcc-posix gcc-mingw-w64-x86-64-posix
  x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
  x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
  wine wine
  wineserver wine
  Xvfb xvfb
  debootstrap debootstrap
  sox sox
  /usr/bin/time time
  doxygen doxygen"

# Runs a command as root: directly when the script is root, else by sudo.
quillon_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

quillon_install() {
  local missing=()
  for pkg in $QUILLON_PACKAGES; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    quillon_as_root apt-get update -qq
    quillon_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  quillon_check_commands
}

# Stops at once, before any build, when a command the run needs is missing,
# rather than failing in every test two minutes later.
quillon_check_commands() {
  local cmd pkg
  set -- $QUILLON_COMMANDS
  while [ $# -gt 0 ]; do
    cmd=$1 pkg=$2
    shift 2
    if ! command -v "$cmd" >/dev/null 2>&1; then
      echo "${0##*/}: command $cmd not found; it comes with the package $pkg" >&2
      exit 2
    fi
  done
}

# Configure and build one target: quillon_build win32|win64
quillon_build() {
  local name=$1 arch
  case "$name" in
    win32) arch=i686 ;;
    win64) arch=x86_64 ;;
  esac
  local dir="$QUILLON_ROOT/build/$name"
  cmake -S "$QUILLON_ROOT" -B "$dir" \
    -DCMAKE_TOOLCHAIN_FILE="$QUILLON_ROOT/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUILLON_BUILD_TESTS="${QUILLON_BUILD_TESTS:-ON}" -DQUILLON_BUILD_TOOLS=ON >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

# Wine runs in a prefix of the build's own, never the user's, inside a
# virtual display with one persistent server for the whole run.
# quillon_wine_env [PREFIX ARCH]: the 64-bit prefix unless told otherwise.
quillon_wine_env() {
  export WINEPREFIX="${1:-$QUILLON_ROOT/build/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export WINEARCH="${2:-win64}"
}

# Everything a run needs: packages, both targets built, Wine up.
quillon_prepare() {
  quillon_install
  quillon_build win32
  quillon_build win64
  quillon_start_wine
}

# Prints every test a run skipped, with its reason: a skip is never silent.
quillon_report_skips() {
  local log="$QUILLON_ROOT/build/$1/Testing/Temporary/LastTest.log"
  [ -f "$log" ] || return 0
  # gtest prints "FILE:LINE: Skipped", the reason on the next line, then the
  # test's name and time; its summary names the tests again, without a time.
  awk -v target="$1" '/: Skipped$/ { getline reason; sub(/^skipped on this target: /, "", reason); next }
    /^\[  SKIPPED \] [^ ]+ \(/ {
      print target ": " $4 " skipped: " (reason != "" ? reason : "no reason given"); reason = ""
    }' "$log"
}

QUILLON_XVFB_PID=""
QUILLON_WINESERVER_PID=""

quillon_start_wine() {
  quillon_wine_env
  quillon_start_display
  mkdir -p "$WINEPREFIX"
  wineserver -f -p >/dev/null 2>&1 &
  QUILLON_WINESERVER_PID=$!
  trap quillon_stop_wine EXIT
  # Bring up (or create) the prefix and its services now, detached from any
  # output a test runner reads.
  wine wineboot >/dev/null 2>&1 </dev/null || true
}

# A virtual display of its own, on the first free number from :90.
quillon_start_display() {
  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QUILLON_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
}

quillon_stop_wine() {
  if [ -n "$QUILLON_WINESERVER_PID" ]; then
    # Ends the Wine processes of our prefix (services, desktop), then the server.
    wineserver -k >/dev/null 2>&1 || true
    kill "$QUILLON_WINESERVER_PID" 2>/dev/null || true
    wait "$QUILLON_WINESERVER_PID" 2>/dev/null || true
    QUILLON_WINESERVER_PID=""
  fi
  if [ -n "$QUILLON_XVFB_PID" ]; then
    kill "$QUILLON_XVFB_PID" 2>/dev/null || true
    wait "$QUILLON_XVFB_PID" 2>/dev/null || true
    QUILLON_XVFB_PID=""
  fi
}
