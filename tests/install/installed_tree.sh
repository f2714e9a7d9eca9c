#!/usr/bin/env bash
# Installs the game into a temporary DESTDIR under an unusual prefix, checks the
# installed tree, and starts the installed program offscreen from an unrelated
# folder with an empty home, twice: the first start must write the default
# settings under ~/.config/zr-torishogi, the second must play the music that
# those settings switch on, found through the installed sound library and wave
# files. The working folder must stay empty.
#
#   installed_tree.sh <build folder> <application id>
set -euo pipefail
build=$1
id=$2

root=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$root/stage cmake --install "$build" --prefix /opt/zr-test >/dev/null
prefix=$root/stage/opt/zr-test

for file in bin/zr-torishogi \
  share/zr-torishogi/その他.wav share/zr-torishogi/禁止.wav share/zr-torishogi/駒打音.wav \
  share/zr-torishogi/BGM.wav share/zr-torishogi/秒読み.wav share/zr-torishogi/en.mo share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/128x128/apps/$id.png \
  share/icons/hicolor/256x256/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
library=$(cd "$prefix" && find . -name 'ZR鳥将棋.so' -path '*/lib*/zr-torishogi/*')
[ -n "$library" ] || fail "the sound library is not installed under lib*/zr-torishogi"
# Nothing of the build's run-time folder may lie beside the installed program.
[ "$(ls "$prefix/bin")" = zr-torishogi ] || fail "bin/ holds more than the program: $(ls "$prefix/bin")"

# A language the game does not have is refused before any window opens.
if "$prefix/bin/zr-torishogi" --language fr 2>/dev/null; then fail "--language fr was accepted"; fi

mkdir "$root/home" "$root/elsewhere"
settings=$root/home/.config/zr-torishogi/ZR鳥将棋.ini
audio=$root/audio.raw

# Starts the installed program in the background, from the unrelated folder.
start() {
  rm -f "$audio"
  (cd "$root/elsewhere" && exec env -u XDG_CONFIG_HOME -u XDG_DOCUMENTS_DIR HOME="$root/home" \
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
    ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/zr-torishogi") &
  pid=$!
}
stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; pid=; }
# Waits up to 60 seconds for a condition.
await() {
  for _ in $(seq 600); do
    if "$@"; then return 0; fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself"
    sleep 0.1
  done
  return 1
}
# Sound has reached the disk audio device: some byte of its output is not silence.
sounding() { [ -s "$audio" ] && [ "$(tr -d '\000' <"$audio" | head -c 1 | wc -c)" -gt 0 ]; }

start
await test -s "$settings" || fail "no settings file under ~/.config/zr-torishogi"
stop
expected=$(printf '背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n' | iconv -f UTF-8 -t CP932 | od -An -tx1)
[ "$(od -An -tx1 "$settings")" = "$expected" ] || fail "the settings file is not the default one"
[ "$(stat -c %a "$root/home/.config/zr-torishogi")" = 700 ] || fail "the settings folder is not private"

start
await sounding || fail "the installed program played no music"
stop

[ -z "$(ls -A "$root/elsewhere")" ] || fail "files in the working folder: $(ls -A "$root/elsewhere")"
echo "installed tree: program, sound library, waves, English catalog, desktop entry, metainfo and icons in place;"
echo "settings written under ~/.config/zr-torishogi, music played, working folder untouched"
