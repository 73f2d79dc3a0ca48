#!/bin/sh
# Runs the desktop launcher against a stand-in board that records the folder
# it was started in and its arguments.
# Usage: launcher_test.sh LAUNCHER SCRATCH_DIR
set -eu

scratch=$2
rm -rf -- "$scratch"
mkdir -p -- "$scratch/bin" "$scratch/home" "$scratch/elsewhere" "$scratch/decoy"
cp -- "$1" "$scratch/bin/kivrel-launch"
printf '#!/bin/sh\n{ pwd; echo "$#"; } > "$BOARD_LOG"\nexit "${BOARD_STATUS:-0}"\n' >"$scratch/bin/kivrel"
printf '#!/bin/sh\necho decoy > "$BOARD_LOG"\n' >"$scratch/decoy/kivrel"  # not the kivrel beside the launcher
chmod +x "$scratch/bin/kivrel-launch" "$scratch/bin/kivrel" "$scratch/decoy/kivrel"
failures=0
log=$scratch/board.log
home=$scratch/home/.local/share/kivrel

# launch EXPECTED_FOLDER EXPECTED_ARGUMENT_COUNT COMMAND...: from "elsewhere".
launch() {
  expected=$(printf '%s\n%s' "$1" "$2")
  shift 2
  rm -f -- "$log"
  (cd "$scratch/elsewhere" && BOARD_LOG=$log HOME=$scratch/home "$@") || true
  [ "$(cat "$log" 2>/dev/null)" = "$expected" ] || {
    echo "FAILED: $*: expected $expected, got $(cat "$log" 2>/dev/null)" >&2
    failures=$((failures + 1))
  }
}
launch "$scratch/xdg/kivrel" 0 env XDG_DATA_HOME="$scratch/xdg" "$scratch/bin/kivrel-launch"
launch "$home" 0 env -u XDG_DATA_HOME PATH="$scratch/decoy:$PATH" sh ../bin/kivrel-launch
launch "$home" 0 env XDG_DATA_HOME=relative/data "$scratch/bin/kivrel-launch"
launch "$home" 1 env -u XDG_DATA_HOME "$scratch/bin/kivrel-launch" --reimport
rm -rf -- "$scratch/home/.local"
launch "$scratch/elsewhere" 1 env -u XDG_DATA_HOME "$scratch/bin/kivrel-launch" --help
[ ! -e "$scratch/home/.local" ] || { echo "FAILED: --help made the data folder" >&2; failures=$((failures + 1)); }

status=0
(cd "$scratch/elsewhere" && BOARD_LOG=$log BOARD_STATUS=3 HOME=$scratch/home "$scratch/bin/kivrel-launch") || status=$?
[ "$status" -eq 3 ] || { echo "FAILED: the board's exit status 3 came back as $status" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "launcher checks passed"
