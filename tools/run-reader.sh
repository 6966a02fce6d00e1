#!/usr/bin/env bash
# `make run`: the reader with the bundled jokes, in a window where there is a display to show
# it on; else headless, with its screen written to a PNG and its state printed.
set -euo pipefail
bin=build/bin
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/jokepad"
fi
shot=build/jokepad-screen.png
"$bin/jokepad" --headless --screenshot "$shot"
echo "screen: $shot"
echo "no display found: run 'make run' on a desktop, or 'xvfb-run make run' for a virtual one, to get the window"
