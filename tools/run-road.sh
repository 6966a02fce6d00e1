#!/usr/bin/env bash
# `make road`: the installer's whole road on this machine. jokesetup hands its payload to the
# application manager stand-in, which installs the Wendle Diver edition onto the emulated
# device, and the reader installed there starts. All of it stays under the build folder: the
# manager is registered in a registry of the road's own, and the device is a folder beside it.
#
#   tools/run-road.sh [BUILD_FOLDER]      (default: build)
# Set ROAD_HEADLESS=1 to run the installed reader headless even where a display is found.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
bin=$build/bin
export JOKEPAD_REGISTRY=$build/road/registry
export JOKEPAD_DEVICE=$build/device
mkdir -p "$JOKEPAD_REGISTRY" "$build/road"

echo "== 1. register the application manager: $bin/CEAppMgr.exe"
echo "   (registry: $JOKEPAD_REGISTRY)"
"$bin/appmgr-register" "$bin"

echo "== 2. run the installer: $bin/jokesetup"
echo "   (device: $JOKEPAD_DEVICE)"
status=0
"$bin/jokesetup" || status=$?
echo "   jokesetup ended with status $status"
[ "$status" -eq 0 ] || exit 1

installed="$JOKEPAD_DEVICE/Program Files/Wendle Diver/WJ.exe"
if [ ! -x "$installed" ]; then
  echo "road: the manager did not install $installed" >&2
  exit 1
fi
echo "== 3. on the device"
(cd "$JOKEPAD_DEVICE" && find . -type f ! -name device.ini | sort | sed 's|^\./|   |')

echo "== 4. start the installed reader: $installed"
if [ -z "${ROAD_HEADLESS:-}" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$installed"
fi
shot=$build/road/wj-screen.png
"$installed" --headless --screenshot "$shot"
echo "screen: $shot"
echo "no display found: run 'make road' on a desktop, or 'xvfb-run make road' for a virtual one, to get the window"
