#!/usr/bin/env bash
# The bad-input sweep: every kind of project file of the demo project, damaged in
# every way of one table, run through the game (headless) and through
# korvane-data, each run under a time limit. A run passes when it ends by itself
# (no hang, no signal, no sanitizer report), with exit code 0, or 1 and a line on
# standard error, and leaves every file of the project as it was (checksums
# before and after; the files the game itself writes are left out).
#
#   tests/sweep/bad_input_sweep.sh BUILD_DIR [--every N] [--jobs N]
#     --every N   only every N-th case of the table (a sample, for slow builds)
#     --jobs N    cases run side by side (default: half the processors)
#
# Exit code 0 when every case passed; the failures are listed.
set -uo pipefail

build="${1:?usage: bad_input_sweep.sh BUILD_DIR [--every N] [--jobs N]}"
shift
every=1
jobs=$(( $(nproc) / 2 > 0 ? $(nproc) / 2 : 1 ))
while [ $# -gt 0 ]; do
  case "$1" in
    --every) every="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
bin="$(cd "$build/bin" && pwd)"
limit="${KORVANE_SWEEP_TIMEOUT:-60}"

# The project files, by kind (relative to the project folder).
files=(
  "System.ini"
  "data/System.dat"
  "data/database/AnimeSet.dat"
  "data/database/Anime.dat"
  "data/database/Bmp_CharaExc.dat"
  "data/database/SwordType.dat"
  "data/database/Effect.dat"
  "data/database/CharaEffect.dat"
  "data/database/ScrEffect.dat"
  "data/database/Picture.dat"
  "data/database/Sound.dat"
  "data/database/Bgm.dat"
  "data/CommonPalette.cplt4"
  "data/WorldMap.dat"
  "data/stg4/w01-1.stg4_752"
  "user_data/Window.dat"
  "user_data/Option.dat"
  "user_data/KeyConfig.dat"
  "bmp/plt/Palette.bmp"
  "bmp/hbt/hbt00.dat"
  "se/000.wav"
  "bgm/Title.mid"
)

# The damages: the one table.
damages=(missing empty cut4 cuthalf cutlast folder fifo unreadable garbage hugecount)

# Cases beyond the table: whole-project damages and names.
extra=(
  "@stage-is-folder"         # the stage argument names a folder
  "@stage-sjis-name"         # a Shift-JIS stage name on the command line
  "@stage-bad-bytes-name"    # a stage name whose bytes are no text at all
  "@bmp-folder-missing"      # no bmp folder
  "@project-read-only"       # the report log cannot be written
  "@input-is-folder"         # KORVANE_INPUT names a folder
  "@input-is-fifo"           # KORVANE_INPUT names a FIFO
  "@ini-crlf"                # System.ini with CR LF whose FreeStage names the stage
  "@ini-garbage-values"      # System.ini values that are no numbers, with zero bytes
)

work="$(mktemp -d)"
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
pristine="$work/pristine"
if ! "$bin/korvane-mkdemo" "$pristine" >/dev/null 2>&1; then
  echo "sweep: korvane-mkdemo failed" >&2
  exit 1
fi
# The game makes the files it would make on a first start (folders, Window.dat);
# the sweep starts from a project that has run once.
(cd "$pristine" && env KORVANE_HEADLESS=1 KORVANE_CLOCK=virtual KORVANE_FRAMES=2 \
  KORVANE_LOCK="$pristine/../pristine.lock" "$bin/korvane" >/dev/null 2>&1)
rm -f "$pristine/Report_Game.txt"

# Root reads every file: the cases of files and folders without permission run
# the programs as nobody (when setpriv is there), or are skipped.
is_root=0
[ "$(id -u)" = 0 ] && is_root=1
as_nobody=0
if [ "$is_root" = 1 ] && command -v setpriv >/dev/null &&
   setpriv --reuid=65534 --regid=65534 --clear-groups test -x "$bin/korvane" 2>/dev/null; then
  as_nobody=1
  chmod 1777 "$work"  # the lock files beside the projects
fi

# Checksums of every file of the project but those the game writes by design (its
# logs, the window placement, the drawing-mode choice that start-up asks for when
# System.ini is gone).
checksums() {
  (cd "$1" && find . -path ./Report_Game.txt -prune -o -path ./EC_Game.txt -prune -o \
     -path ./user_data/Window.dat -prune -o -path ./user_data/Boot.dat -prune -o -name 'game.lock' -prune -o \
     -type f -print0 |
     sort -z | xargs -0 -r sha256sum)
}

damage() {  # damage FILE KIND (in the current folder)
  local f="$1" kind="$2" size
  # A file the demo does not have (the user's options and keys) is damaged from
  # garbage of its own.
  [ -e "$f" ] || head -c 256 /dev/urandom >"$f"
  size=$(stat -c %s "$f" 2>/dev/null || echo 0)
  case "$kind" in
    missing) rm -f "$f" ;;
    empty) : >"$f" ;;
    cut4) truncate -s 4 "$f" ;;
    cuthalf) truncate -s $((size / 2)) "$f" ;;
    cutlast) truncate -s $((size > 0 ? size - 1 : 0)) "$f" ;;
    folder) rm -f "$f" && mkdir "$f" ;;
    fifo) rm -f "$f" && mkfifo "$f" ;;
    unreadable) chmod 000 "$f" ;;
    garbage) head -c "$((size > 64 ? size : 64))" /dev/urandom >"$f" ;;
    hugecount)
      # After the version word: the first count of the record (its field count),
      # and a count in the middle of the file.
      printf '\xff\xff\xff\x7f' | dd of="$f" bs=1 seek=4 conv=notrunc status=none
      printf '\xff\xff\xff\xff' | dd of="$f" bs=1 seek=$(((size / 8) * 4)) conv=notrunc status=none ;;
  esac
}

sanitizer_report() { grep -qE 'ERROR: (Address|Leak|Thread)Sanitizer|runtime error:|SUMMARY: UndefinedBehavior' "$1"; }

# check NAME EXITCODE STDERR: the verdict on one run; prints a failure line.
check() {
  local name="$1" code="$2" err="$3"
  if [ "$code" = 124 ] || [ "$code" = 137 ]; then echo "FAIL $name: no end within ${limit}s"; return 1; fi
  if sanitizer_report "$err"; then echo "FAIL $name: sanitizer report"; grep -m3 -E 'ERROR|runtime error' "$err"; return 1; fi
  if [ "$code" != 0 ] && [ "$code" != 1 ]; then echo "FAIL $name: exit code $code"; tail -n 3 "$err"; return 1; fi
  if [ "$code" = 1 ] && ! [ -s "$err" ]; then echo "FAIL $name: exit code 1 and nothing on standard error"; return 1; fi
  return 0
}

run_game() {  # run_game DIR STDERR [ARG...]
  local dir="$1" err="$2"
  shift 2
  (cd "$dir" && timeout -k 5 "$limit" "${RUN_AS[@]}" env KORVANE_HEADLESS=1 KORVANE_CLOCK=virtual KORVANE_FRAMES=3 \
     KORVANE_LOCK="$dir.lock" "${EXTRA_ENV[@]}" "$bin/korvane" "$@" >/dev/null 2>"$err")
}

one_case() {  # one_case NAME: runs it, prints PASS or FAIL lines
  local name="$1" dir="$work/case-$$-$RANDOM$RANDOM" ok=1 code
  cp -a "$pristine" "$dir"
  EXTRA_ENV=()
  RUN_AS=()
  local args=() file="" kind=""
  case "$name" in
    @*) ;;
    *) file="${name%%:*}"; kind="${name##*:}" ;;
  esac
  if [ -n "$file" ]; then
    if [ "$kind" = unreadable ] && [ "$is_root" = 1 ]; then
      if [ "$as_nobody" = 0 ]; then echo "SKIP $name (as root every file can be read)"; rm -rf "$dir"; return 0; fi
      chmod -R a+rwX "$dir"
      RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    fi
    (cd "$dir" && damage "$file" "$kind")
  else
    case "$name" in
      @stage-is-folder) mkdir "$dir/data/stg4/dir.stg4"; args=("data/stg4/dir.stg4") ;;
      @stage-sjis-name)
        # "テスト.stg4_752" in Shift-JIS bytes, on disk and on the command line.
        local sj; sj="$(printf '\x83\x65\x83\x58\x83\x67')"
        cp "$dir/data/stg4/w01-1.stg4_752" "$dir/data/stg4/$sj.stg4_752"
        args=("data/stg4/$sj.stg4") ;;
      @stage-bad-bytes-name)
        local bad; bad="$(printf 'x\xff\xfe')"
        cp "$dir/data/stg4/w01-1.stg4_752" "$dir/data/stg4/$bad.stg4_752"
        args=("data/stg4/$bad.stg4") ;;
      @bmp-folder-missing) rm -rf "$dir/bmp" ;;
      @project-read-only)
        if [ "$is_root" = 1 ]; then
          if [ "$as_nobody" = 0 ]; then echo "SKIP $name (as root every folder can be written)"; rm -rf "$dir"; return 0; fi
          chmod -R a+rX "$dir"
          RUN_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
        fi
        chmod a-w "$dir" ;;
      @input-is-folder) mkdir "$dir/input"; EXTRA_ENV=("KORVANE_INPUT=$dir/input") ;;
      @input-is-fifo) mkfifo "$dir/input"; EXTRA_ENV=("KORVANE_INPUT=$dir/input") ;;
      @ini-crlf) printf 'Direct3D=0\r\nWindowMode=1\r\nFreeStage=data\\stg4\\w01-1.stg4\r\nExit\r\n' >"$dir/System.ini" ;;
      @ini-garbage-values) printf 'Direct3D=0\nWindowMode=\x00\x01zz\nBpp=abc\nExit\n' >"$dir/System.ini" ;;
    esac
  fi
  local before after err="$dir.err"
  before="$(checksums "$dir")"
  run_game "$dir" "$err" "${args[@]}"
  code=$?
  chmod u+w "$dir" 2>/dev/null
  check "$name (game)" "$code" "$err" || ok=0
  # What the cases beyond the table must show.
  case "$name" in
    @stage-is-folder|@input-is-folder|@input-is-fifo|@bmp-folder-missing)
      [ "$code" = 1 ] || { echo "FAIL $name: exit code $code, not 1"; ok=0; } ;;
    @project-read-only)
      { [ "$code" = 1 ] && grep -q Report_Game.txt "$err"; } || { echo "FAIL $name: not refused on standard error"; ok=0; } ;;
    @stage-sjis-name|@stage-bad-bytes-name|@ini-crlf)
      if [ "$code" != 0 ] || grep -qa 'の読み込みに失敗' <(iconv -f CP932 -t UTF-8 -c "$dir/Report_Game.txt" 2>/dev/null); then
        echo "FAIL $name: the stage was not loaded (exit code $code)"; ok=0
      fi ;;
    @ini-garbage-values)
      { [ "$code" = 0 ] && grep -qa 'is not a number' "$dir/Report_Game.txt"; } ||
        { echo "FAIL $name: garbage values not reported (exit code $code)"; ok=0; } ;;
  esac
  # The data tool reads every data file of the damaged project.
  if [ -n "$file" ]; then
    case "$file" in
      *.ini|*.bmp|*.wav|*.mid|*/hbt*) ;;
      *)
        (cd "$dir" && timeout -k 5 "$limit" "${RUN_AS[@]}" "$bin/korvane-data" dump "$file" >/dev/null 2>"$err.tool")
        code=$?
        check "$name (korvane-data)" "$code" "$err.tool" || ok=0 ;;
    esac
  elif [ "$name" = @stage-sjis-name ] || [ "$name" = @stage-bad-bytes-name ]; then
    local stage="${args[0]}_752"
    (cd "$dir" && timeout -k 5 "$limit" "$bin/korvane-data" dump "$stage" >/dev/null 2>"$err.tool")
    code=$?
    [ "$code" = 0 ] || { echo "FAIL $name (korvane-data): exit code $code"; cat "$err.tool"; ok=0; }
  fi
  after="$(checksums "$dir")"
  if [ "$before" != "$after" ]; then
    echo "FAIL $name: project files changed"
    diff <(echo "$before") <(echo "$after") | head -n 5
    ok=0
  fi
  chmod -R u+rwx "$dir" 2>/dev/null
  rm -rf "$dir" "$dir.lock" "$err" "$err.tool"
  [ "$ok" = 1 ] && echo "PASS $name"
  return 0
}

cases=()
for f in "${files[@]}"; do
  for d in "${damages[@]}"; do cases+=("$f:$d"); done
done
cases+=("${extra[@]}")
chosen=()
for i in "${!cases[@]}"; do
  [ $((i % every)) = 0 ] && chosen+=("${cases[$i]}")
done

export -f one_case damage check checksums run_game sanitizer_report
export work pristine bin limit is_root as_nobody
start=$SECONDS
results="$work/results"
printf '%s\n' "${chosen[@]}" | xargs -d '\n' -P "$jobs" -I{} bash -c 'one_case "$1"' _ {} >"$results"
failed=$(grep -c '^FAIL' "$results")
passed=$(grep -c '^PASS' "$results")
skipped=$(grep -c '^SKIP' "$results")
grep -v '^PASS' "$results" | grep -v '^SKIP' || true
echo "bad-input sweep: ${#chosen[@]} of ${#cases[@]} cases, $passed passed, $failed failures, $skipped skipped," \
  "$((SECONDS - start))s"
[ "$failed" = 0 ]
