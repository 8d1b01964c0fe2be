#!/usr/bin/env bash
# Runs a command on a virtual X server of its own: with_xvfb.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"
source "$here/sanitizer_options.sh"
trap stop_xvfb EXIT
start_xvfb
"$@"
