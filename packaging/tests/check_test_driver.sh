#!/bin/sh
# Run by check_package.sh on a virtual X display: starts the packaged program as a user would,
# but with the test log asked for, and once it answers on its single-instance socket sends it
# the test command "quit" there.
#   A release build must write no log and keep running: its socket only hands files over.
#   A test build (--test-build) must log its start-up and quit, which shows that this check
#   would see a test driver that shipped.
#   check_test_driver.sh PROGRAM_FOLDER SCRATCH_FOLDER [--test-build]
set -eu
program=$1/lumivista
work=$2
test_build=${3:-}
fail() { echo "check_package: $*" >&2; exit 1; }

mkdir -p "$work/home" "$work/tmp" "$work/config" "$work/data"
mkdir -m 700 "$work/runtime"
# The socket lies in the temporary folder (Qt's choice), so this run's is the only one there.
export HOME="$work/home" TMPDIR="$work/tmp" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
unset LUMIVISTA_HOME LUMIVISTA_CONFIG_DIR LUMIVISTA_TEST_QUIT LUMIVISTA_TEST_SEND
log=$work/test.log

LUMIVISTA_TEST_LOG=$log "$program" &
pid=$!
socket=
for _ in $(seq 1200); do
    socket=$(find "$TMPDIR" -maxdepth 1 -type s -name 'lumivista2000-*' | head -n 1)
    [ -n "$socket" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the packaged program ended at start-up"
    sleep 0.05
done
[ -n "$socket" ] || { kill "$pid"; fail "the packaged program opened no single-instance socket"; }

# The reply comes once the program has handled the line, from its event loop: start-up is done.
reply=$(python3 - "$socket" <<'EOF'
import socket
import sys

with socket.socket(socket.AF_UNIX) as s:
    s.settimeout(30)
    s.connect(sys.argv[1])
    s.sendall(b"quit\n")
    print(s.makefile().readline().strip())
EOF
) || { kill "$pid"; fail "no answer on the single-instance socket"; }
[ "$reply" = ok ] || { kill "$pid"; fail "the socket answered \"$reply\""; }

if [ "$test_build" = --test-build ]; then
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the test build exited with $status after \"quit\""
    grep -q '^ready ' "$log" && grep -qx 'exit' "$log" || fail "the test build did not log its run: $(cat "$log" 2>/dev/null)"
    echo "check_package: the test build logged its run and obeyed \"quit\" on its socket"
    exit 0
fi

# Time for a test driver to act on the command before the program is looked at again.
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the release build obeyed the test command \"quit\""
kill "$pid"
wait "$pid" 2>/dev/null || true
[ ! -e "$log" ] || fail "the release build wrote the test log: $(cat "$log")"
echo "check_package: the release build wrote no test log and ignored \"quit\" on its socket"
