#!/bin/sh
# Installs the build as `make install` does, into a scratch DESTDIR, and packages it as
# `make package` does; then checks both as a desktop and a user meet them: the menu entry and
# the file types validate and are recognised, and the installed program and command line
# run from a read-only program folder.
#   install_test.sh BUILD_DIR MIME_PROBE SOURCE_DIR
set -eu
build=$1
probe=$2
source=$3
for tool in desktop-file-validate xmllint update-mime-database dpkg-deb dpkg-shlibdeps cpack file strings xvfb-run \
            python3; do
    command -v "$tool" >/dev/null || { echo "install_test: $tool is not installed"; exit 77; }
done
fail() { echo "install_test: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
dest=$work/root
prefix=/usr/local
installed=$dest$prefix
DESTDIR=$dest cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install failed"; }

# The program folder: what the build laid out, whichever part of the build put it there,
# but not the folders the program fills as it runs.
(cd "$build/program" && find . -path ./temp -prune -o -path ./photos -prune -o -print | sort) >"$work/built"
(cd "$installed/lib/lumivista" && find . | sort) >"$work/installed"
diff -u "$work/built" "$work/installed" || fail "the installed program folder differs from the built one"
for name in lumivista lumivista-tool; do
    [ "$(readlink "$installed/bin/$name")" = "../lib/lumivista/$name" ] || fail "bin/$name is no link into the program folder"
    [ -x "$installed/bin/$name" ] || fail "bin/$name does not lead to an executable"
done

# The menu entry and the file types, as the desktop's own tools read them.
desktop=$installed/share/applications/lumivista.desktop
problems=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$problems" ] || fail "desktop-file-validate: $problems"
grep -qx 'Icon=lumivista' "$desktop" || fail "the menu entry names another icon"
grep -qx 'Exec=lumivista %F' "$desktop" || fail "the menu entry does not hand over its files"
xmllint --noout "$installed/share/mime/packages/lumivista.xml" || fail "the MIME definitions are not well-formed"
for icon in apps/lumivista mimetypes/application-x-lumivista-layered mimetypes/application-x-lumivista-album; do
    for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256 scalable; do
        ls "$installed/share/icons/hicolor/$size/$icon".* >/dev/null 2>&1 || fail "no $size icon $icon"
    done
done
# The desktop's database as it stands once the package is in: the system's definitions and
# ours in one folder, built by the desktop's own tool.
mime=$work/share/mime
mkdir -p "$mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$installed/share/mime/packages/lumivista.xml" "$mime/packages/"
export XDG_DATA_DIRS="$work/share" XDG_DATA_HOME="$work/nothing"
update-mime-database "$mime" 2>"$work/mime.log"
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }

# Files the desktop should recognise, made by the installed command line. The name decides
# for albums only; a skin file opens with the same magic and must stay unclaimed.
tool=$installed/bin/lumivista-tool
"$tool" new 40 30 200 120 40 "$work/foto.bmp" >/dev/null
"$tool" convert "$work/foto.bmp" "$work/camadas.vlf" >/dev/null
cp "$work/camadas.vlf" "$work/camadas-sem-nome"
cp "$source/fuzz/corpus/layered_older/two_layers.vlf" "$work/antigo.dat"
cp "$installed/lib/lumivista/ui/button.800" "$work/Viagem.abm"
cp "$installed/lib/lumivista/ui/button.800" "$work/button.800"
"$probe" "$work/camadas.vlf" "$work/camadas-sem-nome" "$work/antigo.dat" "$work/Viagem.abm" "$work/button.800" \
    >"$work/types"
expect_type() {
    grep -q "^$work/$1	$2	$3\$" "$work/types" || { cat "$work/types"; fail "$1 should be $2 (by content $3)"; }
}
layered=application/x-lumivista-layered
expect_type camadas.vlf $layered $layered
expect_type camadas-sem-nome $layered $layered
expect_type antigo.dat $layered $layered
expect_type Viagem.abm application/x-lumivista-album application/octet-stream
expect_type button.800 application/octet-stream application/octet-stream
# File managers built on GLib ask its own reader of the same database. It looks at the first
# 4 KiB only, so the older layout's title is beyond it: such files are known by their name.
if command -v gio >/dev/null; then
    for file in camadas.vlf camadas-sem-nome; do
        gio info -a standard::content-type "$work/$file" | grep -q "content-type: $layered\$" \
            || fail "gio does not see $file as $layered"
    done
    gio info -a standard::content-type "$work/Viagem.abm" | grep -q 'content-type: application/x-lumivista-album$' \
        || fail "gio does not see Viagem.abm as an album"
fi
unset XDG_DATA_DIRS XDG_DATA_HOME

# The installed program and command line, from a program folder nobody may write to. A file
# left in the user's temporary folder shows that the exit cleaned up there instead.
chmod -R a-w "$dest"
mkdir -p "$work/data/lumivista/temp" "$work/run"
chmod 700 "$work/run"
: >"$work/data/lumivista/temp/left-over.bmp"
touch "$work/before"
status=0
env -u LUMIVISTA_HOME -u LUMIVISTA_CONFIG_DIR HOME="$work/home" XDG_DATA_HOME="$work/data" \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
    LUMIVISTA_TEST_LOG="$work/program.log" LUMIVISTA_TEST_QUIT=1 \
    "$installed/bin/lumivista" "$work/foto.bmp" || status=$?
[ "$status" -eq 0 ] || { cat "$work/program.log"; fail "the installed program exited with $status"; }
grep -qx "open $work/foto.bmp ok" "$work/program.log" || { cat "$work/program.log"; fail "the picture did not open"; }
grep -qx 'exit' "$work/program.log" || fail "the program did not shut down"
[ ! -e "$work/data/lumivista/temp/left-over.bmp" ] || fail "the user's temporary folder was not emptied"
grep -q "^AppName=$installed/lib/lumivista/lumivista\$" "$work/config/lumivista/LV2000.ini" \
    || fail "the settings did not reach the user's configuration folder"
[ -z "$(find "$dest" -newer "$work/before")" ] || fail "something was written below the installed folder"

"$tool" info "$work/foto.bmp" --json >"$work/info.json" || fail "the installed lumivista-tool failed"
grep -q '"width": *40' "$work/info.json" && grep -q '"height": *30' "$work/info.json" \
    || { cat "$work/info.json"; fail "lumivista-tool info reported another size"; }
chmod -R u+w "$dest"

# The Debian package of the same build.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack failed"; }
"$(dirname "$0")/check_package.sh" --test-build "$work/package/lumivista_2.00_$(dpkg --print-architecture).deb"
