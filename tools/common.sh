# Shared by the tools: where things are, and a quiet Wine in the build folder.
# shellcheck shell=bash
VANTOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VANTOR_ROOT
export WINEDEBUG=-all
# No prompts to install Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="

jobs() { nproc 2>/dev/null || echo 2; }

say() { printf '\n== %s  (%d s)\n' "$*" "$SECONDS"; }

# Wine runs 32-bit Windows programs only where the kernel runs 32-bit Linux
# programs, which some virtual machines do not. There the Windows tests run
# in a 64-bit build of the same sources, under 64-bit Wine (`wine` on the
# PATH then starts it). Sets VANTOR_WINDOWS_TESTS to the preset to test.
use_wine() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export WINEARCH=win32 VANTOR_WINDOWS_TESTS=windows
  else
    export WINEARCH=win64 VANTOR_WINDOWS_TESTS=windows64 WINELOADER=/usr/lib/wine/wine64
    local bin="$VANTOR_ROOT/build/wine64-bin"
    mkdir -p "$bin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
    chmod +x "$bin/wine"
    export PATH="$bin:$PATH"
  fi
  export WINEPREFIX="$VANTOR_ROOT/build/wine-prefix-$WINEARCH"
}
