#!/bin/sh
# Runs a test program on a virtual X display of its own (24 bits, 96 dots per inch; 800 × 600
# unless LV_XVFB_SIZE says otherwise), so it can make windows, move the pointer and copy the
# screen. Skipped where there is no such server.
command -v xvfb-run >/dev/null || exit 77
exec xvfb-run -a -s "-screen 0 ${LV_XVFB_SIZE:-800x600}x24 -dpi 96 -noreset" env QT_QPA_PLATFORM=xcb "$@"
