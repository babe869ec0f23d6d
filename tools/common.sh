# Shared by the tools: where things are, and a quiet Wine in the build folder.
# shellcheck shell=bash
VANTOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VANTOR_ROOT
export WINEPREFIX="$VANTOR_ROOT/build/wine-prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No prompts to install Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="

jobs() { nproc 2>/dev/null || echo 2; }

say() { printf '\n== %s\n' "$*"; }
