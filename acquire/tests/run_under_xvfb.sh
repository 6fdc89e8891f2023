#!/bin/sh
# Runs a test program on a virtual X display of its own (24 bits, 800 × 600), so it can
# make windows, move the pointer and copy the screen. Skipped where there is no such server.
command -v xvfb-run >/dev/null || exit 77
exec xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" env QT_QPA_PLATFORM=xcb "$@"
