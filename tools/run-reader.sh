#!/usr/bin/env bash
# `make run`: until the reader's window lands, show the bundled jokes' first joke.
set -euo pipefail
bin=build/bin
echo "jokepad.dat: $("$bin/jokepack" count "$bin/jokepad.dat") jokes"
echo "--- joke 1 ---"
"$bin/jokepack" show "$bin/jokepad.dat" 1
