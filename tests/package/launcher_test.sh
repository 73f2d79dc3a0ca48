#!/bin/sh
# Runs the desktop launcher against a stand-in board that records the folder
# it was started in and its arguments.
# Usage: launcher_test.sh LAUNCHER SCRATCH_DIR
set -eu

launcher=$1
scratch=$2
rm -rf -- "$scratch"
mkdir -p -- "$scratch/bin" "$scratch/home" "$scratch/elsewhere" "$scratch/decoy"
cp -- "$launcher" "$scratch/bin/kivrel-launch"
chmod +x "$scratch/bin/kivrel-launch"

# The stand-in board: writes where it runs and what it was given.
cat > "$scratch/bin/kivrel" <<'STUB'
#!/bin/sh
{ pwd; echo "arguments: $#"; } > "$BOARD_LOG"
exit "${BOARD_STATUS:-0}"
STUB
# A different kivrel earlier on PATH must not be the one started.
printf '#!/bin/sh\necho decoy > "$BOARD_LOG"\n' > "$scratch/decoy/kivrel"
chmod +x "$scratch/bin/kivrel" "$scratch/decoy/kivrel"

failures=0
log=$scratch/board.log
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# launch NAME EXPECTED_FOLDER COMMAND...: runs the launcher from the folder
# "elsewhere" and checks that the board ran in EXPECTED_FOLDER without
# arguments and that the launcher passed on its exit status 0.
launch() {
  name=$1
  expected=$2
  shift 2
  rm -f -- "$log"
  if ! (cd "$scratch/elsewhere" && BOARD_LOG=$log HOME=$scratch/home "$@"); then
    fail "$name: the launcher failed"
    return
  fi
  if [ ! -f "$log" ]; then
    fail "$name: the board did not start"
    return
  fi
  printf '%s\narguments: 0\n' "$expected" > "$scratch/expected.log"
  if ! cmp -s "$scratch/expected.log" "$log"; then
    fail "$name: expected the board in $expected without arguments, got: $(cat "$log")"
  fi
}

default_folder=$scratch/home/.local/share/kivrel

launch "XDG_DATA_HOME set, folders missing" "$scratch/xdg/data/kivrel" \
  env XDG_DATA_HOME="$scratch/xdg/data" "$scratch/bin/kivrel-launch"
launch "XDG_DATA_HOME unset" "$default_folder" \
  env -u XDG_DATA_HOME "$scratch/bin/kivrel-launch"
launch "XDG_DATA_HOME empty" "$default_folder" \
  env XDG_DATA_HOME= "$scratch/bin/kivrel-launch"
launch "XDG_DATA_HOME relative" "$default_folder" \
  env XDG_DATA_HOME=relative/data "$scratch/bin/kivrel-launch"
[ -e "$scratch/elsewhere/relative" ] && fail "a relative XDG_DATA_HOME made a folder under the working folder"
launch "folder name with spaces" "$scratch/with space/kivrel" \
  env XDG_DATA_HOME="$scratch/with space" "$scratch/bin/kivrel-launch"
launch "started through PATH" "$default_folder" \
  env -u XDG_DATA_HOME PATH="$scratch/decoy:$scratch/bin:$PATH" kivrel-launch
launch "started by a relative path" "$default_folder" \
  env -u XDG_DATA_HOME ../bin/kivrel-launch
launch "started as an sh script" "$default_folder" \
  env -u XDG_DATA_HOME sh ../bin/kivrel-launch

# --reimport starts the board in the data folder with it; anything else
# goes to the board where the launcher was called, creating nothing.
rm -f -- "$log"
(cd "$scratch/elsewhere" && BOARD_LOG=$log HOME=$scratch/none "$scratch/bin/kivrel-launch" --reimport)
printf '%s\narguments: 1\n' "$scratch/none/.local/share/kivrel" | cmp -s - "$log" || fail "--reimport: $(cat "$log")"
rm -f -- "$log"
(cd "$scratch/elsewhere" && BOARD_LOG=$log HOME=$scratch/none2 "$scratch/bin/kivrel-launch" --help)
printf '%s\narguments: 1\n' "$scratch/elsewhere" | cmp -s - "$log" || fail "--help: $(cat "$log")"
[ ! -e "$scratch/none2" ] || fail "--help made the data folder"

# An existing folder is used as it is.
mkdir -p "$default_folder/DATA"
echo quotes > "$default_folder/DATA/STOCK.LST"
launch "existing data folder" "$default_folder" env -u XDG_DATA_HOME "$scratch/bin/kivrel-launch"
[ "$(cat "$default_folder/DATA/STOCK.LST")" = quotes ] || fail "the existing data folder was changed"

# The board's exit status is the launcher's.
status=0
(cd "$scratch/elsewhere" && BOARD_LOG=$log BOARD_STATUS=3 HOME=$scratch/home "$scratch/bin/kivrel-launch") || status=$?
[ "$status" -eq 3 ] || fail "the board's exit status 3 came back as $status"

# A data folder that cannot be made stops the launch before the board.
rm -f -- "$log"
touch "$scratch/plain-file"
status=0
(cd "$scratch/elsewhere" && BOARD_LOG=$log XDG_DATA_HOME=$scratch/plain-file HOME=$scratch/home \
  "$scratch/bin/kivrel-launch") 2>/dev/null || status=$?
[ "$status" -ne 0 ] || fail "a data folder under a plain file did not fail the launch"
[ ! -e "$log" ] || fail "the board started without its data folder"

if [ "$failures" -ne 0 ]; then
  echo "$failures launcher checks failed" >&2
  exit 1
fi
echo "launcher checks passed"
