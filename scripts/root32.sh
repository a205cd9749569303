# The 32-bit environment (sourced by setup.sh, not run): a Debian root of its
# own holding the 32-bit Wine, made once per machine and shared by every
# clone, and the session that runs the i686 build inside it.
#
# Debian's 32-bit Wine cannot sit beside the 64-bit one the tests use without
# changing the machine's own packages, so it lives in a root kept apart:
# amd64 Debian with the i386 architecture added, its packages taken from
# bookworm and bookworm-updates only (both architectures must have equal
# versions). Where the processor cannot run 32-bit code (a 32-bit ELF fails
# with "Exec format error"), every 32-bit process runs under qemu's user-mode
# emulator; the 64-bit wineserver always runs natively and serves them.
#
# The root is kept at $QUILLON_ROOT32 (default /var/cache/quillon/root-i386);
# removing that folder removes all of it, and the next run makes it again.

QUILLON_ROOT32=${QUILLON_ROOT32:-/var/cache/quillon/root-i386}

# What the root holds, besides the emulator. The X libraries are those
# Wine's X11 driver loads when present (see setup.sh): without them a drag
# that holds a modifier loses it. Arial's metrics come from Liberation.
QUILLON_ROOT32_PACKAGES="wine32:i386 wine64 wine fonts-liberation
  libxi6:i386 libxrender1:i386 libxrandr2:i386 libxfixes3:i386 libxcursor1:i386
  libxcomposite1:i386 libxinerama1:i386 libxxf86vm1:i386"

# Bumped whenever the recipe below changes, so that older roots are made again.
QUILLON_ROOT32_RECIPE=1

# The Debian mirror this machine's apt uses, so that the root is made from
# the same place (and a proxy or local mirror keeps working).
quillon_root32_mirror() {
  local uri
  uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 ~ / bookworm / {
      for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' /etc/apt/sources.list 2>/dev/null)
  echo "${uri:-http://deb.debian.org/debian}"
}

# What a sound root records once it is complete: anything else (no record,
# another recipe or package list, an interrupted make) means it is made again.
quillon_root32_stamp() {
  echo "recipe $QUILLON_ROOT32_RECIPE"
  echo "packages" $QUILLON_ROOT32_PACKAGES
}

quillon_root32_sound() {
  local root=$1
  [ -f "$root/.quillon-root" ] && [ -x "$root/usr/local/bin/wine32" ] \
    && [ -e "$root/usr/lib/wine/wine" ] \
    && [ "$(sed '/^mode /d' "$root/.quillon-root")" = "$(quillon_root32_stamp)" ]
}

# Makes the root if it is missing or not sound; several clones running at
# once take turns, and only one of them makes it.
quillon_root32_ensure() {
  local root=$QUILLON_ROOT32
  quillon_root32_sound "$root" && return 0
  quillon_as_root mkdir -p "$(dirname "$root")"
  (
    flock 9
    quillon_root32_sound "$root" && exit 0
    quillon_root32_make "$root"
  ) 9>"$root.lock"
}

# Runs a command in a mount namespace of its own, whose mounts vanish with it
# and stay out of the machine's view. Inside a chroot, whose / is no mount
# point, the namespace cannot be made private; mounts made there may then show
# outside it until undone, so every user of this undoes its mounts itself.
quillon_root32_unshare() {
  if quillon_as_root unshare --mount --propagation private true 2>/dev/null; then
    quillon_as_root unshare --mount --propagation private -- "$@"
  else
    quillon_as_root unshare --mount --propagation unchanged -- "$@"
  fi
}

# Fails, naming it, when something is mounted at or below a folder: a bind
# mount of a clone there would be on the same file system as the root, and
# removing the root would remove the clone.
quillon_root32_unmounted() {
  local mounts
  mounts=$(awk -v dir="$1" '$5 == dir || index($5, dir "/") == 1 { print $5 }' /proc/self/mountinfo)
  [ -z "$mounts" ] && return 0
  echo "${0##*/}: $1 is in use (mounted there: $(echo $mounts)); it is left as it is" >&2
  return 2
}

# Runs a command inside a root under construction, with the kernel's file
# systems it needs.
quillon_root32_chroot() {
  local root=$1
  shift
  quillon_root32_unshare /bin/sh -c '
    root=$1; shift
    mount -t proc proc "$root/proc" && mount --rbind /dev "$root/dev" || exit 2
    chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive "$@"
    status=$?
    umount -R -l "$root/dev" "$root/proc"
    exit $status' sh "$root" "$@"
}

quillon_root32_make() {
  local root=$1 new="$1.new" mirror log started
  mirror=$(quillon_root32_mirror)
  log="$(dirname "$root")/root-i386.log"
  started=$(date +%s)
  echo "making the 32-bit environment in $root (once per machine; log: $log)"
  quillon_root32_unmounted "$new" || exit 2
  quillon_as_root rm -rf --one-file-system "$new"
  : >"$log"
  quillon_as_root debootstrap --variant=minbase --arch=amd64 bookworm "$new" "$mirror" >>"$log" 2>&1 \
    || { echo "${0##*/}: debootstrap of the 32-bit environment failed; see $log" >&2; exit 2; }
  quillon_as_root tee "$new/etc/apt/sources.list" >/dev/null <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
EOF
  quillon_as_root tee "$new/etc/apt/apt.conf.d/90quillon" >/dev/null <<EOF
APT::Install-Recommends "false";
Acquire::Retries "3";
EOF
  quillon_root32_chroot "$new" dpkg --add-architecture i386 >>"$log" 2>&1 \
    && quillon_root32_chroot "$new" apt-get update -q >>"$log" 2>&1 \
    && quillon_root32_chroot "$new" apt-get install -y -q $QUILLON_ROOT32_PACKAGES >>"$log" 2>&1 \
    || { echo "${0##*/}: installing the 32-bit Wine into $new failed; see $log" >&2; exit 2; }

  local mode
  if quillon_root32_chroot "$new" /usr/lib/wine/wine --version >>"$log" 2>&1; then
    mode=native
  else
    mode=$(quillon_root32_install_emulator "$new" "$mirror" "$log") || exit 2
  fi
  quillon_root32_launchers "$new" "$mode"
  quillon_root32_chroot "$new" apt-get clean >>"$log" 2>&1 || true
  { quillon_root32_stamp; echo "mode $mode"; } | quillon_as_root tee "$new/.quillon-root" >/dev/null
  quillon_root32_unmounted "$root" || exit 2
  quillon_as_root rm -rf --one-file-system "$root"
  quillon_as_root mv "$new" "$root"
  echo "the 32-bit environment is ready ($mode) after $(($(date +%s) - started)) s"
}

# qemu 10 (bookworm-backports) reserves the emulated address space quickly;
# qemu 7.2 (bookworm) spends a minute or more per process on it unless told
# how much to reserve, so it is the fallback for mirrors without backports.
# Prints the mode the launchers are written for.
quillon_root32_install_emulator() {
  local root=$1 mirror=$2 log=$3
  echo "deb [arch=amd64] $mirror bookworm-backports main" \
    | quillon_as_root tee "$root/etc/apt/sources.list.d/backports.list" >/dev/null
  if quillon_root32_chroot "$root" apt-get update -q >>"$log" 2>&1 \
     && quillon_root32_chroot "$root" apt-get install -y -q -t bookworm-backports qemu-user >>"$log" 2>&1 \
     && [ -x "$root/usr/bin/qemu-i386" ]; then
    echo qemu
    return 0
  fi
  quillon_as_root rm -f "$root/etc/apt/sources.list.d/backports.list"
  if quillon_root32_chroot "$root" apt-get update -q >>"$log" 2>&1 \
     && quillon_root32_chroot "$root" apt-get install -y -q qemu-user-static >>"$log" 2>&1 \
     && [ -x "$root/usr/bin/qemu-i386-static" ]; then
    echo qemu-static
    return 0
  fi
  echo "${0##*/}: no user-mode emulator for 32-bit code could be installed into $root; see $log" >&2
  return 2
}

# wine32 starts a 32-bit Windows program. Wine starts each further process
# (services, the desktop, a program's children) by exec'ing wine-preloader,
# which Debian does not ship; under emulation a script in its place runs the
# 32-bit loader through the emulator, and WINELOADERNOEXEC keeps the first
# process from re-exec'ing itself that way.
quillon_root32_launchers() {
  local root=$1 mode=$2 emulator="" settings=""
  case "$mode" in
    qemu) emulator='/usr/bin/qemu-i386 ' ;;
    # 2 GiB + 8 MiB: less, and Wine cannot map its shared data at 0x7ffe0000.
    qemu-static) emulator='env QEMU_RESERVED_VA=0x80800000 /usr/bin/qemu-i386-static ' ;;
  esac
  if [ -n "$emulator" ]; then
    quillon_root32_script "$root/usr/lib/wine/wine-preloader" "exec $emulator\"\$@\""
    # QUILLON_EMULATED_CPU tells a test that a hardware fault reaches it
    # with the emulator's exception code, not the processor's.
    settings='export WINELOADERNOEXEC=1 QUILLON_EMULATED_CPU=1'
  fi
  quillon_root32_script "$root/usr/local/bin/wine32" "# Runs a 32-bit Windows program ($mode)." "$settings" \
    "exec $emulator/usr/lib/wine/wine \"\$@\""
}

# Writes an executable shell script of the given lines.
quillon_root32_script() {
  local path=$1
  shift
  printf '%s\n' '#!/bin/sh' "$@" | quillon_as_root tee "$path" >/dev/null
  quillon_as_root chmod 755 "$path"
}

# Runs a command (a test run, a plughost call) with a 32-bit Wine session up:
# in a mount namespace of its own, the root gets the kernel's file systems,
# the machine's /tmp (the X display's socket, Wine's server sockets) and this
# clone at its own path, so that the build's files have the same names
# inside and out; the mounts end with the command. Inside,
# scripts/wine32-run.sh starts a 32-bit program.
quillon_root32_session() {
  # Called as `quillon_root32_session ... || status=$?`, where a failure
  # inside would not stop the caller's script by itself.
  quillon_root32_ensure || return $?
  local status=0
  quillon_root32_unshare env QUILLON_ROOT="$QUILLON_ROOT" QUILLON_ROOT32="$QUILLON_ROOT32" bash -c '
      set -euo pipefail
      source "$QUILLON_ROOT/scripts/setup.sh"
      quillon_root32_inside "$@"' quillon-session32 "$@" || status=$?
  return $status
}

# The session's own half, run inside its mount namespace.
quillon_root32_inside() {
  local root=$QUILLON_ROOT32
  trap quillon_root32_stop EXIT
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  mount --rbind /sys "$root/sys"
  mount --bind /tmp "$root/tmp"
  if ! [ "$root$QUILLON_ROOT" -ef "$QUILLON_ROOT" ]; then
    mkdir -p "$root$QUILLON_ROOT"
    mount --bind "$QUILLON_ROOT" "$root$QUILLON_ROOT"
  fi
  quillon_wine_env "$QUILLON_ROOT/build/wineprefix32" win32
  quillon_start_display
  mkdir -p "$WINEPREFIX"
  # The 64-bit server, native, serves the 32-bit processes.
  chroot "$root" /usr/bin/wineserver -f -p >/dev/null 2>&1 &
  QUILLON_WINESERVER_PID=$!
  "$QUILLON_ROOT/scripts/wine32-run.sh" wineboot >/dev/null 2>&1 || true
  # An unhandled fault must end the process: Wine's debugger would wait for
  # input (and under emulation it did, until the test's time ran out).
  "$QUILLON_ROOT/scripts/wine32-run.sh" reg delete \
    'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
  local status=0
  "$@" || status=$?
  return $status
}

quillon_root32_stop() {
  local root=$QUILLON_ROOT32
  chroot "$root" /usr/bin/wineserver -k >/dev/null 2>&1 || true
  quillon_stop_wine
  umount -l "$root$QUILLON_ROOT" 2>/dev/null || true
  umount -R -l "$root/tmp" "$root/sys" "$root/dev" "$root/proc" 2>/dev/null || true
}
