#!/usr/bin/env bash
# Proves that every outside command the scripts and the build run comes from a
# package the set-up installs, or from one that those pull in. A machine that
# once had a package installed by hand would otherwise hide a missing install
# step: the command is there, the list just never asked for it.
#
#   scripts/check-packages.sh [--drop PACKAGE]...
#
# --drop checks against the install list without PACKAGE, to show that the
# check notices its absence. Whatever the list names is installed first, so
# that the check reads what a fresh machine would have.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

dropped=()
while [ $# -gt 0 ]; do
  case "$1" in
    --drop)
      [ $# -ge 2 ] || { echo "${0##*/}: --drop needs a package" >&2; exit 2; }
      dropped+=("$2")
      shift 2 ;;
    *) echo "${0##*/}: unknown argument $1" >&2; exit 2 ;;
  esac
done

quillon_install

packages=()
for pkg in $QUILLON_PACKAGES; do
  keep=1
  for d in "${dropped[@]+"${dropped[@]}"}"; do [ "$pkg" = "$d" ] && keep=0; done
  [ $keep -eq 1 ] && packages+=("$pkg")
done

# The list and everything it pulls in on this machine, hard dependencies only:
# recommends are never installed. Virtual packages print as <name>; what
# provides them prints beside them.
closure=$(apt-cache depends --recurse --installed --no-recommends --no-suggests \
  --no-conflicts --no-breaks --no-replaces --no-enhances "${packages[@]}" \
  | grep -v '^ ' | sort -u)

# The package dpkg records for a path, as it stands, then with /usr taken off
# (the merged-/usr layout).
dpkg_owner() {
  local candidate
  for candidate in "$1" "${1#/usr}"; do
    dpkg -S "$candidate" 2>/dev/null | sed -n '1s/[:,].*//p' | grep . && return 0
  done
  return 1
}

# The package that puts a command on the PATH. A link of the alternatives
# system belongs to no package's file list: it is the package of its group's
# chosen master that registered it (wineserver is a slave link of wine's
# group, and its target lies in libwine, which wine64 pulls in without wine).
owner_of() {
  local path=$1 group
  dpkg_owner "$path" && return 0
  group=$(grep -lxF "$path" /var/lib/dpkg/alternatives/* 2>/dev/null | head -n 1) || true
  if [ -n "$group" ]; then
    dpkg_owner "$(readlink -f "/etc/alternatives/${group##*/}")" && return 0
  fi
  dpkg_owner "$(readlink -f "$path")"
}

failures=0
set -- $QUILLON_COMMANDS
while [ $# -gt 0 ]; do
  cmd=$1 expected=$2
  shift 2
  # quillon_install has already stopped the run if a command is missing.
  path=$(command -v "$cmd")
  pkg=$(owner_of "$path") || {
    echo "FAIL $cmd: $path belongs to no installed package"; failures=$((failures + 1)); continue; }
  if ! grep -qxF "$pkg" <<<"$closure"; then
    echo "FAIL $cmd: $path comes from the package $pkg, which the install list neither names nor pulls in"
    failures=$((failures + 1))
  elif [ "$pkg" != "$expected" ]; then
    echo "FAIL $cmd: $path comes from the package $pkg, but the set-up names $expected for it"
    failures=$((failures + 1))
  else
    echo "ok   $cmd: $path ($pkg)"
  fi
done

# The 64-bit Wine is all the tests run on; the 32-bit one must not come along.
if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  echo "FAIL wine32 is installed: the set-up must not pull in the 32-bit Wine"
  failures=$((failures + 1))
fi

if [ $failures -gt 0 ]; then
  echo "package check: $failures failure(s)"
  exit 1
fi
echo "package check: every command comes from the install list"
