#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root
# and checks what a user gets: the files, the dependencies, the desktop
# entry, the manual pages and the installed programs' command lines.
# Usage: package_test.sh CPACK BUILD_DIR SCRATCH_DIR VERSION
set -euo pipefail
cpack=$1 build=$2 scratch=$3 version=$4
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

rm -rf -- "$scratch"
mkdir -p -- "$scratch/out" "$scratch/root" "$scratch/cwd"
"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log" >&2
  exit 1
}
deb=$scratch/out/kivrel_${version}_amd64.deb
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-arphic-ukai fonts-arphic-uming fonts-liberation libqt6widgets6; do
  [[ ", $depends," =~ ", $needed"[\ ,] ]] || fail "Depends lacks $needed: $depends"
done
[[ "$depends" != *-dev* ]] || fail "Depends names build-time packages: $depends"

dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$scratch/files"
diff -u - "$scratch/files" >&2 <<'FILES' || fail "the package's files differ from the list"
./usr/bin/kivrel
./usr/bin/kivrel-export
./usr/bin/kivrel-launch
./usr/bin/kivrel-pages
./usr/bin/kivrel-shot
./usr/share/applications/kivrel.desktop
./usr/share/doc/kivrel/copyright
./usr/share/icons/hicolor/scalable/apps/kivrel.svg
./usr/share/man/man1/kivrel-export.1.gz
./usr/share/man/man1/kivrel-launch.1.gz
./usr/share/man/man1/kivrel-pages.1.gz
./usr/share/man/man1/kivrel-shot.1.gz
./usr/share/man/man1/kivrel.1.gz
FILES
dpkg -x "$deb" "$scratch/root"
root=$scratch/root bin=$scratch/root/usr/bin
grep -q 'License: Expat' "$root/usr/share/doc/kivrel/copyright" || fail "no MIT (Expat) licence"

entry=$root/usr/share/applications/kivrel.desktop
[ -z "$(desktop-file-validate "$entry" 2>&1)" ] || fail "desktop-file-validate: $(desktop-file-validate "$entry" 2>&1)"
[ "$(sed -n 's/^Exec=//p' "$entry" | tr '\n' ' ')" = "kivrel-launch kivrel-launch --watch " ] ||
  fail "the desktop entry and its action do not run kivrel-launch and kivrel-launch --watch"
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg" || fail "no icon"

# Each program: stripped, no build run path, a manual page rendered without
# warnings that names the version and every option of --help (and the other
# way round), --version with the licence, and a bad option answered with
# the usage on standard error and status 2. None of them creates a file.
options_of() { grep -ohE -- '--[a-z][a-z-]*' "$@" | sort -u; }
cd "$scratch/cwd"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -M "$root/usr/share/man" kivrel-launch >/dev/null 2>&1 ||
  fail "man kivrel-launch"
for tool in kivrel kivrel-export kivrel-shot kivrel-pages; do
  readelf -S "$bin/$tool" | grep -q '\.debug_info' && fail "$tool is not stripped"
  readelf -d "$bin/$tool" | grep -qE 'RPATH|RUNPATH' && fail "$tool has a run path"
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -M "$root/usr/share/man" "$tool" >"$scratch/$tool.txt" \
    2>"$scratch/$tool.warnings" && [ ! -s "$scratch/$tool.warnings" ] || fail "man $tool: $(cat "$scratch/$tool.warnings")"
  grep -q "$version" "$scratch/$tool.txt" || fail "man $tool does not give the version"
  "$bin/$tool" --help >"$scratch/$tool.help" || fail "$tool --help fails"
  diff <(options_of "$scratch/$tool.help") <(options_of "$scratch/$tool.txt") >&2 || fail "$tool: --help (<) and man (>) differ"
  [ "$("$bin/$tool" --version | head -n 1)" = "$tool $version" ] || fail "$tool --version"
  "$bin/$tool" --version | grep -q MIT || fail "$tool --version does not name the licence"
  status=0
  "$bin/$tool" --no-such-option >"$scratch/$tool.out" 2>"$scratch/$tool.err" || status=$?
  [ "$status" -eq 2 ] && [ ! -s "$scratch/$tool.out" ] && grep -qi "^usage: $tool" "$scratch/$tool.err" ||
    fail "$tool --no-such-option: status $status, $(cat "$scratch/$tool.err")"
done
[ -z "$(ls -A "$scratch/cwd")" ] || fail "the command lines created $(ls -A "$scratch/cwd")"

# The launcher, beside a stand-in board that records where it ran and with
# how many arguments: in the data folder, with --reimport and --watch passed on; any
# other option goes to the board where the launcher was called, and the
# data folder is not made.
mkdir -p "$scratch/stub" "$scratch/home"
cp "$bin/kivrel-launch" "$scratch/stub/"
printf '#!/bin/sh\n{ pwd; echo "$#"; } > "$BOARD_LOG"\nexit 3\n' >"$scratch/stub/kivrel"
chmod +x "$scratch/stub/kivrel"
launch() {
  expected=$(printf '%s\n%s' "$1" "$2")
  shift 2
  (BOARD_LOG=$scratch/board.log HOME=$scratch/home "$@") && fail "the board's exit status was lost"
  [ "$(cat "$scratch/board.log")" = "$expected" ] || fail "$*: expected $expected, got $(cat "$scratch/board.log")"
}
launch "$scratch/xdg/kivrel" 0 env XDG_DATA_HOME="$scratch/xdg" "$scratch/stub/kivrel-launch"
launch "$scratch/home/.local/share/kivrel" 0 env XDG_DATA_HOME=relative "$scratch/stub/kivrel-launch"
launch "$scratch/home/.local/share/kivrel" 1 env -u XDG_DATA_HOME sh "$scratch/stub/kivrel-launch" --reimport
launch "$scratch/home/.local/share/kivrel" 2 env -u XDG_DATA_HOME "$scratch/stub/kivrel-launch" --watch --reimport
rm -rf "$scratch/home/.local"
launch "$scratch/cwd" 1 env -u XDG_DATA_HOME "$scratch/stub/kivrel-launch" --help
[ ! -e "$scratch/home/.local" ] || fail "kivrel-launch --help made the data folder"
[ "$failures" -eq 0 ] && echo "package checks passed: $deb"
