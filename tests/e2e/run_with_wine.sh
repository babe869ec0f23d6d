#!/usr/bin/env bash
# Runs a test script with the project's Wine settings (prefix, quiet logs).
set -euo pipefail
source "$(dirname "$0")/../../tools/common.sh"
use_wine
exec "$@"
