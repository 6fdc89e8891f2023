#!/bin/sh
# Checks a built Debian package: its control data (name, version, the dependencies computed
# from the binaries, the maintainer scripts) and that everything an installed program needs
# is inside, with the executables stripped.
#   check_package.sh PACKAGE.deb
set -eu
deb=$1
fail() { echo "check_package: $*" >&2; exit 1; }

info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
field() { printf '%s\n' "$info" | sed -n "s/^ $1: //p"; }

[ "$(field Package)" = lumivista ] || fail "package name: $(field Package)"
[ "$(field Version)" = 2.00 ] || fail "version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture: $(field Architecture)"
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libpng16-16 fonts-liberation; do
    printf '%s\n' "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
for script in postinst postrm; do
    printf '%s\n' "$info" | grep -Eq "^ +[0-9]+ bytes, +[0-9]+ lines +\* +$script( |$)" || fail "no executable $script"
done

has() { printf '%s\n' "$contents" | grep -Eq "$1" || fail "missing: $1"; }
has ' \./usr/bin/lumivista -> \.\./lib/lumivista/lumivista$'
has ' \./usr/bin/lumivista-tool -> \.\./lib/lumivista/lumivista-tool$'
for file in lumivista lumivista-tool fonts.conf Click1.wav Click2.wav ui/button.800 ui/button.640 \
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
for exe in lumivista lumivista-tool; do
    dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/lib/lumivista/$exe" | file - | grep -q ', stripped' \
        || fail "$exe is not stripped"
done
echo "check_package: $deb is complete"
