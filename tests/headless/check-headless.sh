#!/usr/bin/env bash
# fermat-lab is the program for machines without Qt or a display: no Qt
# library among those the loader maps for it, and a run in an empty
# environment (no DISPLAY, no QT_* variables, no PATH, no HOME) that prints
# the six labels.
# usage: check-headless.sh libraries|bare|refusals FERMAT_LAB
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
  refusals)
    # Bad lenses, set-ups and lessons: exit status 2, one line on stderr
    # naming the program, nothing on stdout, no file written.
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
    printf '{"format": "fermat-lens set-up", "version": 2}' >"$dir/newer.json"
    printf '{"format": "fermat-lens set-up", "version": 1, "lens": {' >"$dir/truncated.json"
    printf '[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[' >"$dir/deep.json"
    head -c 2000000 /dev/zero | tr '\0' ' ' >"$dir/huge.json"
    cases=(
      "--lens n=5" "--lens n=1" "--lens r1=50" "--lens r2=120,aperture=130" "--lens thickness=0"
      "--lens r1=200,r2=200,thickness=10,aperture=80" "--lens focus=3" "--lens preset=glass" "--lens n=nan"
      "--lens n=1.5,n=1.6" "lens=n=9" "--open $dir/none.json" "--open $dir/newer.json" "--open $dir/truncated.json"
      "--open $dir/deep.json" "--open $dir/huge.json" "--open $dir" "--lesson optics"
      "--lesson wavefront --lens n=1.5" "--equal-time-at far" "active=lens"
    )
    for c in "${cases[@]}"; do
      read -r -a args <<<"$c"
      out=$("$program" --save "$dir/saved.json" "${args[@]}" 2>"$dir/err")
      code=$?
      [[ $code -eq 2 ]] || fail "$c: exit status $code"
      [[ -z "$out" ]] || fail "$c: wrote to standard output: $out"
      [[ $(wc -l <"$dir/err") -eq 1 && $(head -c 11 "$dir/err") == "fermat-lab:" ]] || fail "$c: $(cat "$dir/err")"
      [[ ! -e "$dir/saved.json" ]] || fail "$c: wrote the set-up"
    done
    echo "${#cases[@]} bad lenses, set-ups and lessons refused with one line and exit status 2"
    # A lens no lens can be, inside a file that is otherwise good: refused
    # like every other fault of a file, naming it.
    "$program" --save "$dir/good.json" press=1 || fail "could not save a set-up"
    sed 's/"n": 2/"n": 9/' "$dir/good.json" >"$dir/badlens.json"
    grep -q '"n": 9' "$dir/badlens.json" || fail "the saved set-up has no \"n\": 2 to change"
    "$program" --open "$dir/badlens.json" --print-labels >/dev/null 2>"$dir/err"
    code=$?
    [[ $code -eq 2 ]] || fail "a set-up's impossible lens: exit status $code"
    grep -q "badlens.json" "$dir/err" || fail "a set-up's impossible lens does not name the file: $(cat "$dir/err")"
    echo "a set-up's impossible lens is refused naming the file"
    ;;
  *)
    fail "unknown mode '$mode'"
    ;;
esac
