#!/usr/bin/env bash
# The travel-time window in a real X session with a window manager (Xvfb and
# Openbox): opened with Ctrl+G, it must still be mapped and stacked above the
# main window after a press and drag in the main window, which the window
# manager answers by raising the main window.
# Usage: graph-window-stacking.sh FERMAT-LENS-BINARY
set -euo pipefail
binary="$1"

if [[ "${2:-}" != --inside ]]; then
  for tool in xvfb-run openbox xdotool xprop xwininfo; do
    command -v "$tool" >/dev/null || { echo "graph-window-stacking: $tool is missing (scripts/install-deps)"; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$binary" --inside
fi

openbox >/dev/null 2>&1 &
wm=$!
# The window manager first, so that it manages the program's windows from the start.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
QT_QPA_PLATFORM=xcb "$binary" >/dev/null &
app=$!
trap 'kill $app $wm 2>/dev/null || true' EXIT

# Waits (30 s at most, for a loaded machine) for a visible window of the
# program whose name matches.
window() {
  for _ in $(seq 300); do
    if id=$(xdotool search --all --onlyvisible --pid "$app" --name "$1" 2>/dev/null | head -n 1) && [[ -n "$id" ]]; then
      echo "$id"
      return
    fi
    kill -0 "$app" 2>/dev/null || { echo "graph-window-stacking: the program ended" >&2; exit 1; }
    sleep 0.1
  done
  echo "graph-window-stacking: no window named '$1'; the windows:" >&2
  xwininfo -root -tree | grep -F '"' | head -n 20 >&2
  exit 1
}

# Client windows from bottom to top, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | while read -r w; do printf '%d\n' "$w"; done; }

# 1 when the graph window is mapped and stacked above the main window.
graphOnTop() {
  local order main_at graph_at
  order=$(stacking)
  main_at=$(grep -nx "$main" <<<"$order" | cut -d: -f1)
  graph_at=$(grep -nx "$graph" <<<"$order" | cut -d: -f1)
  xwininfo -id "$graph" | grep -q "IsViewable" && [[ -n "$main_at" && -n "$graph_at" && "$graph_at" -gt "$main_at" ]]
}

main=$(window 'Fermat$')
sleep 1
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers ctrl+g
graph=$(window '^Travel time')
sleep 0.5

# A drag in the picture of the main window, left of the lens.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --sync $((X + WIDTH / 5)) $((Y + HEIGHT / 2)) mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove --sync $((X + WIDTH / 5 + 10 * step)) $((Y + HEIGHT / 2 - 6 * step))
done
xdotool mouseup 1
sleep 0.5
# The window manager raises the main window on the press; the graph window
# must stay above it. Clicking the main window's title activates it too.
xdotool windowactivate --sync "$main"
sleep 0.5
if ! graphOnTop; then
  echo "graph-window-stacking: the graph window is not above the main window after a drag"
  echo "stacking (bottom to top): $(stacking | tr '\n' ' '); main $main, graph $graph"
  exit 1
fi
echo "graph-window-stacking: the graph window stays above the main window"
