#!/usr/bin/env bash
# fermat-lab is the program for machines without Qt or a display: no Qt
# library among those the loader maps for it, and a run in an empty
# environment (no DISPLAY, no QT_* variables, no PATH, no HOME) that prints
# the six labels.
# usage: check-headless.sh libraries|bare FERMAT_LAB
set -uo pipefail
mode="$1" program="$2"
[[ "$program" == /* ]] || program="$PWD/$program"
fail() { echo "FAIL: $*"; exit 1; }

case "$mode" in
  libraries)
    libs=$(ldd "$program" 2>&1) || fail "ldd $program: $libs"
    qt=$(grep -i 'libQt' <<<"$libs")
    [[ -z "$qt" ]] || fail "fermat-lab loads Qt:
$qt"
    echo "no Qt among the $(wc -l <<<"$libs") libraries fermat-lab loads"
    ;;
  bare)
    err=$(mktemp)
    trap 'rm -f "$err"' EXIT
    out=$(cd / && env -i "$program" --print-labels source=-250,20 press=1 2>"$err")
    code=$?
    [[ $code -eq 0 ]] || fail "exit status $code: $(cat "$err")"
    [[ ! -s "$err" ]] || fail "wrote to standard error: $(cat "$err")"
    [[ $(wc -l <<<"$out") -eq 6 ]] || fail "expected six lines, got:
$out"
    i=0
    while IFS= read -r line; do
      i=$((i + 1))
      [[ "$line" == "Label$i"$'\t'* ]] || fail "line $i is not Label$i<TAB>...: '$line'"
    done <<<"$out"
    echo "six labels from an empty environment"
    ;;
  *)
    fail "unknown mode '$mode'"
    ;;
esac
