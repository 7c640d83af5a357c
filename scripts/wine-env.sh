# Sourced: the Wine environment of one build folder ($SUITE_BUILD_DIR).
# Everything Wine writes (prefix, trash, menu files) stays inside the build folder.
: "${SUITE_BUILD_DIR:?SUITE_BUILD_DIR must name the build folder}"
export WINEPREFIX="${WINEPREFIX:-$SUITE_BUILD_DIR/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export XDG_DATA_HOME="$SUITE_BUILD_DIR/xdg-data"
export XDG_CONFIG_HOME="$SUITE_BUILD_DIR/xdg-config"
export XDG_CACHE_HOME="$SUITE_BUILD_DIR/xdg-cache"
