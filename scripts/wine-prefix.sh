#!/usr/bin/env bash
# Creates the Wine prefix of a build folder once: fonts, unmanaged windows, no menu
# builder, no runtime prompts. Usage: scripts/wine-prefix.sh <build folder>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export SUITE_BUILD_DIR="$(cd "${1:?build folder}" && pwd)"
. "$here/wine-env.sh"
stamp="$WINEPREFIX/.suite-prefix-ready"
# Drive T: is a folder of the build that the catalogue tests fill; its "sub\back" is a
# link to its parent, a loop a walk over the drive must leave. Drive U: holds the files of
# the catalogue benchmark.
map_test_drive() {
  mkdir -p "$SUITE_BUILD_DIR/drive-t/sub"
  ln -sfn .. "$SUITE_BUILD_DIR/drive-t/sub/back"
  mkdir -p "$SUITE_BUILD_DIR/drive-u"
  if [ -d "$WINEPREFIX/dosdevices" ]; then
    ln -sfn "$SUITE_BUILD_DIR/drive-t" "$WINEPREFIX/dosdevices/t:"
    ln -sfn "$SUITE_BUILD_DIR/drive-u" "$WINEPREFIX/dosdevices/u:"
  fi
}
if [ -f "$stamp" ]; then
  map_test_drive
  exit 0
fi

mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
rm -rf "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1
# Without a window manager, closing a managed window waits two seconds.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
# Wine does not find Debian's fonts-wine files by itself; GDI+ needs real TrueType faces.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
lib=/usr/share/fonts/truetype/liberation
for f in "$lib"/*.ttf; do [ -f "$f" ] && cp -f "$f" "$fonts/"; done
repl='HKCU\Software\Wine\Fonts\Replacements'
add_font() { wine reg add "$repl" /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1; }
add_font "Arial" "Liberation Sans"
add_font "Tahoma" "Liberation Sans"
add_font "Verdana" "Liberation Sans"
add_font "MS Sans Serif" "Liberation Sans"
add_font "Microsoft Sans Serif" "Liberation Sans"
add_font "Segoe UI" "Liberation Sans"
add_font "Times New Roman" "Liberation Serif"
add_font "Courier New" "Liberation Mono"
wineserver -w
map_test_drive
touch "$stamp"
