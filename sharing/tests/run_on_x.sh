#!/bin/sh
# Runs a test program on an X display of its own; skipped (77) without xvfb-run.
command -v xvfb-run >/dev/null || exit 77
exec timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
