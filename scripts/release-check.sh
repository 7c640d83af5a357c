#!/usr/bin/env bash
# Checks the installed program folders as users get them, after the win32 and win64 builds:
#  - build/win32/suite (the release) and build/win64/suite (the tested twin) hold the same
#    files;
#  - every program and DLL of the release exports the same names as its 64-bit twin (what
#    partners and plug-in callers find by name);
#  - every program and DLL imports only DLLs that Windows ships or that the suite installs
#    beside it (a compiler runtime DLL would be missing on a user's machine).
# Usage: scripts/release-check.sh [release folder] [twin folder]
# Prints what differs and exits with 1 when anything does.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

release=${1:-build/win32/suite}
twin=${2:-build/win64/suite}
for d in "$release" "$twin"; do
  if [ ! -d "$d" ]; then
    echo "release-check: no folder $d (build the win32 and win64 presets first)" >&2
    exit 2
  fi
done
for tool in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || { echo "release-check: $tool is not installed" >&2; exit 2; }
done

# DLLs that every Windows the suite runs on ships (names compared without case).
allowed_system="
advapi32.dll
avifil32.dll
comctl32.dll
comdlg32.dll
gdi32.dll
gdiplus.dll
imm32.dll
kernel32.dll
msacm32.dll
msimg32.dll
msvcrt.dll
msvfw32.dll
ole32.dll
oleaut32.dll
oledlg.dll
rpcrt4.dll
shell32.dll
shlwapi.dll
urlmon.dll
user32.dll
uxtheme.dll
version.dll
wininet.dll
winmm.dll
winspool.drv
ws2_32.dll
"

failures=0
fail() {
  echo "release-check: $*" >&2
  failures=$((failures + 1))
}

# The files of a program folder, one relative path a line, sorted.
files_of() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
# The names a PE file exports, sorted.
exports_of() {
  "$1" -p "$2" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
    on && /^[[:space:]]*\[[[:space:]]*[0-9]+\]/ { print $NF; next }
    on && NF == 0 { on = 0 }' | LC_ALL=C sort
}
# The DLLs a PE file imports, lower case, sorted.
imports_of() { "$1" -p "$2" | awk '/DLL Name:/ { print tolower($3) }' | LC_ALL=C sort -u; }

release_files=$(files_of "$release")
twin_files=$(files_of "$twin")
only_release=$(LC_ALL=C comm -23 <(echo "$release_files") <(echo "$twin_files"))
only_twin=$(LC_ALL=C comm -13 <(echo "$release_files") <(echo "$twin_files"))
[ -z "$only_release" ] || fail "only in $release: $(echo $only_release)"
[ -z "$only_twin" ] || fail "only in $twin: $(echo $only_twin)"

# The DLLs the suite installs beside its programs.
installed=$(echo "$release_files" | grep -iE '(^|/)[^/]+\.dll$' | sed 's|.*/||' | tr 'A-Z' 'a-z' || true)

checked=0
while IFS= read -r f; do
  [ -n "$f" ] || continue
  case "${f,,}" in *.exe | *.dll) ;; *) continue ;; esac
  checked=$((checked + 1))
  # The release runs on 32-bit x86 Windows; its twin is the 64-bit build of the same file.
  if ! i686-w64-mingw32-objdump -f "$release/$f" 2>/dev/null | grep -q 'file format pei-i386'; then
    fail "$release/$f is no 32-bit x86 Windows program"
    continue
  fi
  if [ -f "$twin/$f" ] && ! x86_64-w64-mingw32-objdump -f "$twin/$f" 2>/dev/null | grep -q 'file format pei-x86-64'; then
    fail "$twin/$f is no 64-bit Windows program"
    continue
  fi
  if [ -f "$twin/$f" ]; then
    r=$(exports_of i686-w64-mingw32-objdump "$release/$f")
    t=$(exports_of x86_64-w64-mingw32-objdump "$twin/$f")
    if [ "$r" != "$t" ]; then
      fail "$f exports differ: release only: $(LC_ALL=C comm -23 <(echo "$r") <(echo "$t") | tr '\n' ' ')" \
           "64-bit only: $(LC_ALL=C comm -13 <(echo "$r") <(echo "$t") | tr '\n' ' ')"
    fi
  fi
  for side in release twin; do
    if [ $side = release ]; then dir=$release tool=i686-w64-mingw32-objdump; else dir=$twin tool=x86_64-w64-mingw32-objdump; fi
    [ -f "$dir/$f" ] || continue
    while IFS= read -r dll; do
      [ -n "$dll" ] || continue
      if ! grep -qxF "$dll" <<<"$allowed_system" && ! grep -qxF "$dll" <<<"$installed"; then
        fail "$dir/$f imports $dll, which neither Windows nor the suite installs"
      fi
    done <<<"$(imports_of "$tool" "$dir/$f")"
  done
done <<<"$release_files"

if [ "$checked" -eq 0 ]; then
  fail "no program or DLL in $release"
fi

# The release cannot run here, so its code is read instead: its picture loading must hold
# the SSE2 forms of the JPEG decoder's kernels (multiply-adds on XMM registers) beside the
# processor check that chooses them at run time.
if [ -f "$release/bravik.exe" ]; then
  code=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "$release/bravik.exe")
  madds=$(grep -c -E 'pmaddwd .*%xmm' <<<"$code" || true)
  cpuid=$(grep -c -E '\bcpuid\b' <<<"$code" || true)
  if [ "$madds" -lt 8 ] || [ "$cpuid" -lt 1 ]; then
    fail "bravik.exe of the release holds $madds SSE2 multiply-adds and $cpuid processor checks"
  fi
fi
if [ "$failures" -gt 0 ]; then
  echo "release-check: $failures fault(s) in the installed folders" >&2
  exit 1
fi
echo "release-check: $checked programs and DLLs: same files, same exports, imports from Windows or the suite"
