#!/usr/bin/env bash
# End-to-end runs of the program on a virtual X server of their own: real Mesa, real key presses
# (xdotool), screenshots of the screen (xwd, ImageMagick) checked pixel by pixel.
#
#   e2e.sh PROGRAM RESOURCE-DIR CLOSE-REQUEST CASE
#
# CASE
#   session       splash with the title, then the hands and the scrolling help line; F12 stops
#                 and restarts the waving; Right held puts the right hand higher; Escape ends
#                 the program with status 0 and no further input
#   close         a close request (the close box) ends the program with status 0
#   alt-f4        Alt+F4 ends the program with status 0
#   missing-hand  without res/hd: the window stays black behind an "Error" box, and the program
#                 ends with status 0 once the box is dismissed
#   focus-away    Right held while the keyboard focus goes to another window and released there:
#                 the right hand stays up (the key-up never reached the window) until Right is
#                 pressed and released in the window again
#   no-display    with no X server to talk to: no window, "Error: GL Startup Failed!" on standard
#                 error in place of the box, status 0
#
# The program runs from a temporary working directory that holds res/. Without a window manager
# the window's client area is the whole 800 x 600 at the screen's top left, so screen pixels are
# window pixels. Waits are bounded; how long anything took is not checked here.
set -euo pipefail

program=$1
resources=$2
close_request=$3
case_name=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"
source "$here/sanitizer_options.sh"

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  local keep
  keep=$(mktemp -d /tmp/velmory-e2e-XXXXXX)
  cp "$work"/*.png "$work"/*.txt "$keep"/ 2>/dev/null || true
  echo "screenshots and program output kept in $keep" >&2
  exit 1
}

# ---- the program ----

start_program() {  # start_program: runs PROGRAM from $work, output in $work/stdout.txt and stderr.txt
  (cd "$work" && exec "$program" >"$work/stdout.txt" 2>"$work/stderr.txt") &
  pid=$!
}

# Waits until the program has ended by itself (at most 20 s) and checks that its status is 0.
expect_exit_0() {
  local i
  for ((i = 0; i < 400; ++i)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && fail "the program is still running: $1"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || { cat "$work/stderr.txt" >&2; fail "exit status $status: $1"; }
}

# wait_for_window NAME: prints the id of a mapped window with that title once there is one (20 s
# at most). xwininfo, not xdotool, since xdotool misses titles stored only as UTF8_STRING, as SDL's
# message box stores its own.
wait_for_window() {
  local i id
  for ((i = 0; i < 100; ++i)); do
    id=$(xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name { print $1; exit }')
    if [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# ---- screenshots and pixels ----

shot() {  # shot NAME: the window's 800 x 600 area of the screen into $work/NAME.png
  xwd -root -silent | convert xwd:- -crop 800x600+0+0 +repage "$work/$1.png"
}

pixel() {  # pixel NAME X Y: "r g b", 0..255
  convert "$work/$1.png" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

is_white() { [ "$(pixel "$@")" = "255 255 255" ]; }
is_black() { [ "$(pixel "$@")" = "0 0 0" ]; }

nonwhite() {  # nonwhite NAME GEOMETRY: the share of the region's pixels that are not near white
  convert "$work/$1.png" -crop "$2" +repage -colorspace gray -threshold 94% -negate -format '%[fx:mean]' info:
}

top_of_content() {  # top_of_content NAME GEOMETRY: y of the region's highest non-white pixel
  convert "$work/$1.png" -crop "$2" +repage -fuzz 6% -trim -format '%Y' info: | tr -d '+'
}

differing_pixels() {  # differing_pixels NAME1 NAME2 GEOMETRY
  local a="$work/$1-crop.png" b="$work/$2-crop.png"
  convert "$work/$1.png" -crop "$3" +repage "$a"
  convert "$work/$2.png" -crop "$3" +repage "$b"
  compare -metric AE "$a" "$b" null: 2>&1 || true
}

greater() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

wait_until() {  # wait_until SECONDS COMMAND...: retries COMMAND (with a fresh shot "poll") until it holds
  local tries=$(($1 * 5))
  shift
  for ((i = 0; i < tries; ++i)); do
    shot poll
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# Regions of the window, from the scene's geometry: the hands at x = 279 and 521 around y = 340,
# 120 pixels square; the title disc around the centre; the help line along the bottom.
LeftHand=120x120+219+280
RightHand=120x120+461+280
BothHands=440x200+180+240
HelpLine=800x30+0+570
LeftHalf=400x560+0+0
RightHalf=400x560+400+0

title_shown() { ! is_white poll 400 300 && ! is_black poll 400 300; }
title_gone() { is_white poll 400 300; }

# Takes four shots of the hands about 0.15 s apart; true when any two in a row differ.
hands_move() {
  local n
  for n in 1 2 3 4; do shot "wave$n"; sleep 0.15; done
  for n in 1 2 3; do
    [ "$(differing_pixels "wave$n" "wave$((n + 1))" "$BothHands")" != 0 ] && return 0
  done
  return 1
}

# A key held for 0.2 s, long enough for a frame to see it even in a slow (sanitizer) build, and
# shorter than the X server's auto-repeat delay.
press() {
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep 0.3
}

# ---- the cases ----

case_session() {
  start_program
  local window
  window=$(wait_for_window Velmory) || fail "no window titled Velmory"
  xdotool getwindowgeometry "$window" >"$work/geometry.txt"
  grep -q 'Position: 0,0' "$work/geometry.txt" || fail "window not at 0,0: $(cat "$work/geometry.txt")"
  grep -q 'Geometry: 800x600' "$work/geometry.txt" || fail "window not 800x600: $(cat "$work/geometry.txt")"

  wait_until 10 title_shown || fail "the title image never showed"
  cp "$work/poll.png" "$work/splash.png"
  is_white splash 10 10 || fail "splash: top left not white: $(pixel splash 10 10)"
  is_white splash 790 590 || fail "splash: bottom right not white: $(pixel splash 790 590)"
  greater "$(nonwhite splash 200x200+300+200)" 0.5 || fail "splash: the title does not cover the centre"
  greater 0.001 "$(nonwhite splash "$HelpLine")" || fail "splash: the help line shows already"

  wait_until 15 title_gone || fail "the title image did not go"
  shot hands
  greater "$(nonwhite hands "$LeftHand")" 0.1 || fail "no left hand"
  greater "$(nonwhite hands "$RightHand")" 0.1 || fail "no right hand"
  greater "$(nonwhite hands 60x60+370+100)" 0.01 && fail "something drawn between the hands"
  greater "$(nonwhite hands "$HelpLine")" 0.002 || fail "no help line at the bottom"
  sleep 1
  shot later
  [ "$(differing_pixels hands later "$HelpLine")" != 0 ] || fail "the help line does not scroll"

  hands_move || fail "the hands do not wave"
  press F12
  hands_move && fail "the hands still wave after F12"
  press F12
  hands_move || fail "the hands do not wave again after the second F12"

  xdotool keydown Right
  sleep 1.5
  shot right
  xdotool keyup Right
  local rightTop leftTop
  rightTop=$(top_of_content right "$RightHalf")
  leftTop=$(top_of_content right "$LeftHalf")
  greater "$leftTop" "$((rightTop + 200))" || fail "Right held: right hand top $rightTop, left hand top $leftTop"

  xdotool keydown Escape
  expect_exit_0 "after Escape"
}

case_close() {
  start_program
  local window
  window=$(wait_for_window Velmory) || fail "no window titled Velmory"
  wait_until 10 title_shown || fail "the title image never showed"
  "$close_request" "$window"
  expect_exit_0 "after the close request"
}

case_alt_f4() {
  start_program
  wait_for_window Velmory >/dev/null || fail "no window titled Velmory"
  wait_until 10 title_shown || fail "the title image never showed"
  xdotool keydown alt+F4
  expect_exit_0 "after Alt+F4"
}

case_missing_hand() {
  cp "$resources/tl" "$resources/fm" "$work/res/"
  start_program
  local box
  box=$(wait_for_window Error) || fail "no box titled Error"
  wait_for_window Velmory >/dev/null || fail "the window is not on the screen behind the box"
  shot box
  is_black box 20 20 || fail "the window is not black behind the box: $(pixel box 20 20)"
  kill -0 "$pid" 2>/dev/null || fail "the program ended before the box was dismissed"
  xdotool windowfocus --sync "$box" key --window "$box" Return
  expect_exit_0 "after the box was dismissed"
}

# rolled NAME: true when the right hand stands well above the left one in shot NAME.
rolled() {
  local rightTop leftTop
  rightTop=$(top_of_content "$1" "$RightHalf")
  leftTop=$(top_of_content "$1" "$LeftHalf")
  greater "$leftTop" "$((rightTop + 200))"
}

case_focus_away() {
  start_program
  local window other
  window=$(wait_for_window Velmory) || fail "no window titled Velmory"
  wait_until 15 title_gone || fail "the title image did not go"
  xdotool keydown Right
  sleep 1.5
  shot held
  rolled held || fail "Right held: the hands did not roll"

  xlogo -geometry 100x100+900+600 &
  local logo=$!
  other=$(wait_for_window xlogo) || { kill "$logo"; fail "no second window"; }
  xdotool windowfocus --sync "$other"
  xdotool keyup Right  # released in the other window
  sleep 1.5
  shot away
  rolled away || { kill "$logo"; fail "the hands came back although no key-up reached the window"; }

  xdotool windowfocus --sync "$window"
  press Right
  sleep 2
  shot back
  kill "$logo"
  rolled back && fail "Right pressed and released in the window: the hands stay rolled"
  greater "$(nonwhite back "$LeftHand")" 0.1 || fail "the left hand is not back at rest"
  greater "$(nonwhite back "$RightHand")" 0.1 || fail "the right hand is not back at rest"

  xdotool keydown Escape
  expect_exit_0 "after Escape"
}

case_no_display() {
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY "$program" >"$work/stdout.txt" 2>"$work/stderr.txt") &
  pid=$!
  expect_exit_0 "with no display"
  grep -qx 'Error: GL Startup Failed!' "$work/stderr.txt" || fail "standard error: $(cat "$work/stderr.txt")"
}

declare -F "case_${case_name//-/_}" >/dev/null || { echo "unknown case $case_name" >&2; exit 2; }
start_xvfb
mkdir -p "$work/res"
[ "$case_name" = missing-hand ] || cp "$resources/hd" "$resources/tl" "$resources/fm" "$work/res/"
"case_${case_name//-/_}"
echo "PASS ($case_name)"
