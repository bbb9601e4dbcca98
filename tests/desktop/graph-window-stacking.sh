#!/usr/bin/env bash
# The travel-time window in a real X session with a window manager (Xvfb and
# Openbox): opened with Ctrl+G, it must still be mapped and stacked above the
# main window after a press and drag in the main window, which the window
# manager answers by activating and raising the main window, and after the
# main window is activated through the window manager as a click on its title
# does.
#
# Nothing here waits a fixed time: each step waits for the answer it needs
# (a window mapped and managed, the window manager's change of the active
# window), polled with a limit generous enough for a loaded machine, so that
# the stacking is read only once the window manager has acted on the input.
# Usage: graph-window-stacking.sh FERMAT-LENS-BINARY
set -euo pipefail
binary="$1"

for tool in Xvfb openbox xdotool xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "graph-window-stacking: $tool is missing (scripts/install-deps)"; exit 1; }
done

# How long any one answer may take, in tenths of a second.
limit=600
# Every reader of a pipe below reads its input to the end: with pipefail, a
# writer cut off by an early exit (grep -q, head) would fail the whole pipe.

server= wm= app=
numberFile=$(mktemp)
trap 'kill $app $wm $server 2>/dev/null || true; rm -f "$numberFile"' EXIT

# Fails when the process started as `name` (if started) has ended.
ended() {
  if [[ -n "$2" ]] && ! kill -0 "$2" 2>/dev/null; then
    echo "graph-window-stacking: the $1 ended while waiting for $3" >&2
    exit 1
  fi
}

# Polls until the command succeeds; after the limit, fails naming what did
# not come and how the windows stand.
awaiting() {
  local what="$1"
  shift
  for _ in $(seq "$limit"); do
    "$@" && return 0
    ended "X server" "$server" "$what"
    ended "window manager" "$wm" "$what"
    ended "program" "$app" "$what"
    sleep 0.1
  done
  echo "graph-window-stacking: no $what after $((limit / 10)) s" >&2
  echo "stacking (bottom to top): $(stacking | tr '\n' ' '); active: $(active)" >&2
  xwininfo -root -tree 2>/dev/null | grep -F '"' | sed -n 1,20p >&2 || true
  exit 1
}

# The server's display number is written, a whole line.
displayNumbered() { [[ $(wc -l <"$numberFile") -ge 1 ]]; }

wmRunning() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep "window id" >/dev/null; }

# Client windows from bottom to top, as the window manager stacks them.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -F '#' | sed 's/.*# //; s/, /\n/g' |
    while read -r w; do printf '%d\n' "$w"; done
}

# The window the window manager has made active, as a decimal id.
active() {
  local id
  id=$(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/.*# //p')
  [[ "$id" == 0x* ]] && printf '%d\n' "$id"
}

isActive() { [[ "$(active)" == "$1" ]]; }

viewable() { xwininfo -id "$1" 2>/dev/null | grep "IsViewable" >/dev/null; }

# The window manager has taken the window on: in its stacking list, in the
# normal state and mapped.
managed() {
  stacking | grep -x "$1" >/dev/null && xprop -id "$1" WM_STATE 2>/dev/null | grep "window state: Normal" >/dev/null &&
    viewable "$1"
}

# A visible window of the program whose name matches, once there is one.
found=
windowNamed() {
  found=$(xdotool search --all --onlyvisible --pid "$app" --name "$1" 2>/dev/null | sed -n 1p) && [[ -n "$found" ]]
}

# True when the graph window is mapped and stacked above the main window.
graphOnTop() {
  local order main_at graph_at
  order=$(stacking)
  main_at=$(grep -nx "$main" <<<"$order" | cut -d: -f1)
  graph_at=$(grep -nx "$graph" <<<"$order" | cut -d: -f1)
  viewable "$graph" && [[ -n "$main_at" && -n "$graph_at" && "$graph_at" -gt "$main_at" ]]
}

expectGraphOnTop() {
  if ! graphOnTop; then
    echo "graph-window-stacking: the graph window is not above the main window $1"
    echo "stacking (bottom to top): $(stacking | tr '\n' ' '); main $main, graph $graph, active $(active)"
    exit 1
  fi
}

# The X server picks a free display itself and writes its number once it
# takes connections: no race with other servers starting at the same time
# (other suites, other builds), as choosing the number beforehand has.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
server=$!
awaiting "X server" displayNumbered
export DISPLAY=":$(sed -n 1p "$numberFile")"

# The window manager first, so that it manages the program's windows from the start.
openbox >/dev/null 2>&1 &
wm=$!
awaiting "window manager" wmRunning
QT_QPA_PLATFORM=xcb "$binary" >/dev/null &
app=$!

awaiting "main window named 'Fermat'" windowNamed 'Fermat$'
main=$found
awaiting "main window managed by the window manager" managed "$main"
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers ctrl+g
awaiting "graph window named 'Travel time'" windowNamed '^Travel time'
graph=$found
awaiting "graph window managed by the window manager" managed "$graph"
# The graph window active, so that the window manager's answer to the press
# in the main window shows: it raises the main window and focuses it, and
# marks it active only once the focus has come, after the raise.
xdotool windowactivate --sync "$graph"
awaiting "graph window above the main window once opened" graphOnTop

# A drag in the picture of the main window, left of the lens.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --sync $((X + WIDTH / 5)) $((Y + HEIGHT / 2)) mousedown 1
awaiting "main window active after the press in it" isActive "$main"
for step in 1 2 3 4 5; do
  xdotool mousemove --sync $((X + WIDTH / 5 + 10 * step)) $((Y + HEIGHT / 2 - 6 * step))
done
xdotool mouseup 1
expectGraphOnTop "after a drag"

# Activated through the window manager, as a click on its title does: the
# graph window first, so that the main window's activation is a change the
# window manager has to make (and answers when it has).
xdotool windowactivate --sync "$graph"
xdotool windowactivate --sync "$main"
awaiting "main window active after its activation" isActive "$main"
expectGraphOnTop "after the main window is activated"
echo "graph-window-stacking: the graph window stays above the main window"
