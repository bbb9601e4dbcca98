#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a user gets:
# every file a desktop needs, nothing of the tests, the menu entry and the
# metadata valid, and the installed program running from the prefix.
# usage: check-install.sh CMAKE BUILD_DIR APP_ID VERSION
set -uo pipefail
cmake="$1" build="$2" id="$3" version="$4"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

expected=(
  bin/fermat-lens
  bin/fermat-lab
  "share/applications/$id.desktop"
  "share/icons/hicolor/scalable/apps/$id.svg"
  "share/icons/hicolor/256x256/apps/$id.png"
  "share/metainfo/$id.metainfo.xml"
  share/man/man1/fermat-lens.1.gz
  share/man/man1/fermat-lab.1.gz
  share/doc/fermat-lens/copyright
  share/doc/fermat-lens/changelog.gz
)
for f in "${expected[@]}"; do
  [[ -f "$prefix/$f" ]] || fail "missing $f"
done
# Exactly these files: nothing of the tests, benchmarks or fuzzers.
extra=$(cd "$prefix" && find . -type f | sed 's|^\./||' | grep -vxF -f <(printf '%s\n' "${expected[@]}"))
[[ -z "$extra" ]] || fail "unexpected files installed: $extra"
[[ -x "$prefix/bin/fermat-lens" ]] || fail "bin/fermat-lens is not executable"

# A PNG's header: width and height as 32-bit big-endian numbers at bytes 16..23.
size=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/256x256/apps/$id.png" | tr -s ' ' | sed 's/^ //')
[[ "$size" == "0 0 1 0 0 0 1 0" ]] || fail "icon PNG is not 256x256 (header bytes $size)"

desktop="$prefix/share/applications/$id.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[[ -z "$out" ]] || fail "desktop-file-validate reports: $out"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry's Icon is not $id"
grep -qx "Exec=fermat-lens" "$desktop" || fail "the menu entry does not start fermat-lens"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches another entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo lacks release $version"

man=$(gzip -dc "$prefix/share/man/man1/fermat-lens.1.gz")
for word in --offscreen --size --print-labels --screenshot --trace --version --export --print-pdf --background \
  source=X,Y press=K reset; do
  grep -qF -- "$(sed 's/-/\\-/g' <<<"$word")" <<<"$man" || fail "manual page does not mention $word"
done
# The keys as a table: one tagged paragraph (.TP) per key, key then what it does.
for key in "Arrow keys" "Shift+arrow" "Space" "Ctrl+Q"; do
  grep -A1 -x "\.TP" <<<"$man" | grep -qxF -- "$key" || fail "manual page's key table lacks a row for $key"
done
grep -q "^MIT License" <(sed 's/^ //' "$prefix/share/doc/fermat-lens/copyright") || fail "copyright lacks the licence"

cd "$prefix" || exit 1
v=$(env -u QT_QPA_PLATFORM ./bin/fermat-lens --version) || fail "installed --version failed"
[[ "$v" == "fermat-lens $version" ]] || fail "installed --version printed '$v'"
labels=$(env -u QT_QPA_PLATFORM ./bin/fermat-lens --offscreen --print-labels press=1) || fail "installed program failed"
[[ $(grep -c "^Label[1-6]	" <<<"$labels") -eq 6 ]] || fail "installed program printed: $labels"
headless=$(env -i ./bin/fermat-lab --print-labels press=1) || fail "installed fermat-lab failed"
[[ "$headless" == "$labels" ]] || fail "installed fermat-lab printed '$headless', fermat-lens '$labels'"

[[ $failures -eq 0 ]] && echo "installed tree in order"
exit $((failures > 0))
