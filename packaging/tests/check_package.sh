#!/bin/sh
# Checks a built Debian package: its control data (name, version, the dependencies computed
# from the binaries, the maintainer scripts), that everything an installed program needs is
# inside, with the executables stripped and the libraries opened on first use not linked, and
# that no test driver shipped: no binary names a LUMIVISTA_TEST_* variable or holds the test
# commands, and the program started with LUMIVISTA_TEST_LOG writes no log and obeys no test
# command. The test suite packages the test build, which has the driver: --test-build expects
# it there instead, which shows that these checks find a driver that ships.
#   check_package.sh [--test-build] PACKAGE.deb
set -eu
test_build=
if [ "${1:-}" = --test-build ]; then
    test_build=--test-build
    shift
fi
deb=$1
fail() { echo "check_package: $*" >&2; exit 1; }

info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
field() { printf '%s\n' "$info" | sed -n "s/^ $1: //p"; }

[ "$(field Package)" = lumivista ] || fail "package name: $(field Package)"
[ "$(field Version)" = 2.00 ] || fail "version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture: $(field Architecture)"
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libpng16-16 fonts-liberation libjxl0.7 libheif1 libgsf-1-114; do
    printf '%s\n' "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
for script in postinst postrm; do
    printf '%s\n' "$info" | grep -Eq "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script( |$)" || fail "no executable $script"
done

has() { printf '%s\n' "$contents" | grep -Eq "$1" || fail "missing: $1"; }
has ' \./usr/bin/lumivista -> \.\./lib/lumivista/lumivista$'
has ' \./usr/bin/lumivista-tool -> \.\./lib/lumivista/lumivista-tool$'
for file in lumivista lumivista-tool lumivista-tool-qt fonts.conf Click1.wav Click2.wav ui/button.800 ui/button.640 \
            ui/screen0.800 ui/splashscreen.800 help/index.html \
            projects/calendars/classico-alto.vlf projects/calendars/cal3/calyear/2100.vlf \
            projects/calendars/cal1/calmonth/12.vlf projects/calendars/cal2/calweek/Tu29.vlf \
            projects/cards/aniversario.vlf projects/frames/madeira.vlf sysalbum/calendars1.abm; do
    has " \./usr/lib/lumivista/$file\$"
done
has ' \./usr/share/applications/lumivista\.desktop$'
has ' \./usr/share/mime/packages/lumivista\.xml$'
for icon in apps/lumivista mimetypes/application-x-lumivista-layered mimetypes/application-x-lumivista-album; do
    for size in 16 22 24 32 48 64 128 256; do
        has " \./usr/share/icons/hicolor/${size}x$size/$icon\.png\$"
    done
    has " \./usr/share/icons/hicolor/scalable/$icon\.svg\$"
done
if printf '%s\n' "$contents" | grep -Eq ' \./usr/lib/lumivista/(temp|photos)/'; then
    fail "the run-time folders are packaged"
fi

# Stripped executables keep the package small; a debug build's would be many times larger.
for exe in lumivista lumivista-tool lumivista-tool-qt; do
    dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/lib/lumivista/$exe" | file - | grep -q ', stripped' \
        || fail "$exe is not stripped"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
program_dir=$work/root/usr/lib/lumivista

# The text in a binary: 8-bit strings and the UTF-16 ones Qt's string literals are made of.
text_of() { strings -a "$1"; strings -a -e l "$1"; }
# How many lines of a binary's text hold the words.
count_in() { text_of "$program_dir/$1" | grep -c -- "$2" || true; }
# The program's test commands end in "unknown command ..." for any they do not know.
for binary in lumivista lumivista-tool lumivista-tool-qt liblvtwain.so; do
    [ -f "$program_dir/$binary" ] || fail "missing: $binary"
    variables=$(count_in "$binary" LUMIVISTA_TEST_)
    commands=$(count_in "$binary" 'unknown command')
    echo "check_package: strings $binary: LUMIVISTA_TEST_ $variables, \"unknown command\" $commands"
    if [ -z "$test_build" ]; then
        [ "$variables" -eq 0 ] || fail "$binary reads LUMIVISTA_TEST_* variables: $(text_of "$program_dir/$binary" | grep LUMIVISTA_TEST_ | sort -u | tr '\n' ' ')"
        [ "$commands" -eq 0 ] || fail "$binary holds the test commands"
    else
        [ "$variables" -gt 0 ] || fail "the test build's $binary reads no LUMIVISTA_TEST_* variable"
    fi
done
if [ -n "$test_build" ] && [ "$(count_in lumivista 'unknown command')" -eq 0 ]; then
    fail "the test build's lumivista holds no test commands"
fi

# The libraries opened on their first file stay out of the binaries' needs: linked, they
# would cost every start of the program several milliseconds.
for binary in lumivista lumivista-tool; do
    linked=$(readelf -d "$program_dir/$binary" | grep NEEDED | grep -Eo 'lib(gsf|heif|jxl)[^]]*' || true)
    [ -z "$linked" ] || fail "$binary links what it opens on first use: $linked"
done

# The tool through its launcher hands printing to its Qt side in the program folder.
HOME=$work XDG_CONFIG_HOME= XDG_DATA_HOME= "$work/root/usr/bin/lumivista-tool" print curves show | grep -q identity \
    || fail "lumivista-tool print does not reach lumivista-tool-qt"

# The program as a user starts it, on a virtual X server, with the test log asked for.
command -v xvfb-run >/dev/null || fail "xvfb-run is not installed"
command -v python3 >/dev/null || fail "python3 is not installed"
timeout 180 xvfb-run -a -s "-screen 0 1024x768x24" \
    "$(dirname "$0")/check_test_driver.sh" "$program_dir" "$work/run" $test_build

echo "check_package: $deb is complete"
