#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root
# and checks what a user gets: the files where the desktop entry and the
# manual pages say, the dependencies, and the installed programs running.
# Usage: package_test.sh CPACK BUILD_DIR SCRATCH_DIR VERSION
set -euo pipefail

cpack=$1
build=$2
scratch=$3
version=$4

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

rm -rf -- "$scratch"
mkdir -p -- "$scratch/out" "$scratch/root"
"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log" >&2
  echo "FAILED: cpack" >&2
  exit 1
}
deb=$scratch/out/kivrel_${version}_amd64.deb
if [ ! -f "$deb" ]; then
  echo "FAILED: no $deb; cpack made: $(ls "$scratch/out")" >&2
  exit 1
fi

# Control fields.
[ "$(dpkg-deb -f "$deb" Package)" = kivrel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "architecture"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-arphic-ukai fonts-arphic-uming fonts-liberation libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] || fail "Depends lacks $needed: $depends"
done
[[ "$depends" != *-dev* && "$depends" != *gtest* && "$depends" != *benchmark* ]] ||
  fail "Depends names build-time packages: $depends"

# Exactly these files, nothing from the tests, benchmarks or the libraries
# they use.
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$scratch/files"
sort >"$scratch/expected" <<'FILES'
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
diff -u "$scratch/expected" "$scratch/files" >&2 || fail "the package's files differ from the list above"

dpkg -x "$deb" "$scratch/root"
root=$scratch/root
bin=$root/usr/bin

# The programs: executable, stripped, no run path of the build.
for program in kivrel kivrel-export kivrel-shot kivrel-pages; do
  [ -x "$bin/$program" ] || {
    fail "$program is not an executable file"
    continue
  }
  readelf -S "$bin/$program" | grep -q '\.debug_info' && fail "$program is not stripped"
  readelf -d "$bin/$program" | grep -qE 'RPATH|RUNPATH' && fail "$program has a run path"
done
[ -x "$bin/kivrel-launch" ] || fail "kivrel-launch is not executable"

# The desktop entry: valid, running the launcher, with an icon that is there.
entry=$root/usr/share/applications/kivrel.desktop
if ! desktop-file-validate "$entry" >"$scratch/validate.log" 2>&1 || [ -s "$scratch/validate.log" ]; then
  fail "desktop-file-validate finds fault with kivrel.desktop: $(cat "$scratch/validate.log")"
fi
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "${exec_line%% *}" = kivrel-launch ] || fail "the desktop entry runs '$exec_line', not kivrel-launch"
icon=$(sed -n 's/^Icon=//p' "$entry")
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" 2>/dev/null ||
  fail "no SVG icon '$icon' in hicolor/scalable/apps"
grep -q '^Name\[zh_TW\]=' "$entry" || fail "the desktop entry has no Traditional Chinese name"

# Manual pages: one per program, found by man as after installation, and
# rendered without a roff warning.
manual() {
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -M "$root/usr/share/man" "$@"
}
for program in kivrel kivrel-launch kivrel-export kivrel-shot kivrel-pages; do
  if ! manual "$program" >"$scratch/$program.txt" 2>"$scratch/$program.warnings"; then
    fail "man $program: $(cat "$scratch/$program.warnings")"
  elif [ -s "$scratch/$program.warnings" ]; then
    fail "man $program warns: $(cat "$scratch/$program.warnings")"
  fi
  grep -q "$version" "$scratch/$program.txt" || fail "man $program does not give the version $version"
done
grep -q 'kivrel-launch' "$scratch/kivrel-launch.txt" || fail "man kivrel-launch does not describe the launcher"

grep -q 'License: Expat' "$root/usr/share/doc/kivrel/copyright" || fail "no MIT (Expat) licence in the copyright file"

# The programs as installed: --help prints usage and exits 0, every option
# it names is in the manual page and the other way round, --version prints
# the version and the licence, and an unknown option prints the usage on
# standard error with exit status 2. None of them creates a file.
options_of() { grep -ohE -- '--[a-z][a-z-]*' "$@" | sort -u; }
mkdir -p "$scratch/cwd"
cd "$scratch/cwd"
for tool in kivrel kivrel-export kivrel-shot kivrel-pages; do
  status=0
  "$bin/$tool" --help >"$scratch/$tool.help" 2>"$scratch/$tool.help-errors" || status=$?
  [ "$status" -eq 0 ] || fail "$tool --help exits $status"
  grep -qi "^usage: $tool" "$scratch/$tool.help" || fail "$tool --help prints no usage line"
  [ -s "$scratch/$tool.help-errors" ] && fail "$tool --help writes to standard error"

  if ! diff <(options_of "$scratch/$tool.help") <(options_of "$scratch/$tool.txt") >"$scratch/$tool.options"; then
    fail "$tool: options of --help (<) and of its manual page (>) differ: $(tr '\n' ' ' <"$scratch/$tool.options")"
  fi
  "$bin/$tool" --version >"$scratch/$tool.version"
  [ "$(head -n 1 "$scratch/$tool.version")" = "$tool $version" ] || fail "$tool --version does not print '$tool $version'"
  grep -q MIT "$scratch/$tool.version" || fail "$tool --version does not name the licence"

  status=0
  "$bin/$tool" --no-such-option >"$scratch/$tool.out" 2>"$scratch/$tool.err" || status=$?
  [ "$status" -eq 2 ] || fail "$tool --no-such-option exits $status, not 2"
  [ -s "$scratch/$tool.out" ] && fail "$tool --no-such-option writes to standard output"
  grep -qi "^usage: $tool" "$scratch/$tool.err" || fail "$tool --no-such-option prints no usage on standard error"
done
[ -z "$(ls -A "$scratch/cwd")" ] || fail "--help, --version or a bad option created $(ls -A "$scratch/cwd")"

if [ "$failures" -ne 0 ]; then
  echo "$failures package checks failed" >&2
  exit 1
fi
echo "package checks passed: $deb"
