#!/bin/bash
# End to end, as a person would: the real program runs under wine64, real X mouse events
# press and drag over its grid, a screenshot of the screen shows the painted dots and the
# ones a drag with the right button erased, the first click on "&New..." right after
# painting shows a new, blank frame, and closing asks before the dots are lost.
set -u
program=$1 probe=$2
wine=/usr/lib/wine/wine64
xdotool mousemove 1200 1000 # away from where the window opens
timeout 120 $wine "$program" >/dev/null 2>&1 </dev/null &
program_pid=$!
read -r left top thumb < <(timeout 60 $wine "$probe" 2>/dev/null </dev/null | tr -d '\r')
if [ -z "${thumb:-}" ]; then echo "the program's window did not appear"; exit 1; fi
sleep 1
xdotool mousemove $((left + 370)) $((top + 75)) click 1 # "Manual &Paint" (client 357, 65)
sleep 0.5

# the centre of the screen cell (column, row) of the 32 x 32 grid
cell_x() { echo $((left + 5 + 10 * $1 + 5)); }
cell_y() { echo $((top + thumb + 10 + 10 * $1 + 5)); }
failures=0
fail() { echo "$1"; failures=$((failures + 1)); }
# expect COLOUR COLUMN...: the cells of row 8 on a screenshot
expect() {
    local colour=$1 column
    shift
    xdotool mousemove 1200 1000
    sleep 0.5
    import -window root -depth 8 "$WINEPREFIX/shot.png"
    for column in "$@"; do
        point="$(cell_x "$column"),$(cell_y 8)"
        seen=$(convert "$WINEPREFIX/shot.png" -format "%[hex:p{$point}]" info:)
        [ "$seen" = "$colour" ] || fail "cell $column is $seen, not $colour"
    done
}

# a 16 x 16 matrix starts at grid column 8: drag along row 8 from column 8 to 12
drag="mousemove $(cell_x 8) $(cell_y 8) sleep 0.3 mousedown 1"
for column in 9 10 11 12; do
    drag+=" mousemove $(cell_x $column) $(cell_y 8) sleep 0.1"
done
xdotool $drag mouseup 1
expect 000000 8 9 10 11 12

# a drag with the right button erases
xdotool mousemove "$(cell_x 12)" "$(cell_y 8)" sleep 0.3 mousedown 3 \
    mousemove "$(cell_x 11)" "$(cell_y 8)" sleep 0.1 mouseup 3
expect 000000 8 9 10
expect FFFFFF 11 12

# straight from the grid to "&New..." (client 210, T + 335, 120 x 20), one click
xdotool mousemove "$(cell_x 10)" "$(cell_y 8)" sleep 0.3 \
    mousemove $((left + 270)) $((top + thumb + 345)) sleep 0.3 click 1
expect FFFFFF 8 10 12

# closing with painted dots asks first; Enter answers Yes, the default button
xdotool key alt+F4 sleep 1 key Return
wait $program_pid
[ $? -eq 0 ] || fail "the program did not exit with 0"
[ $failures -eq 0 ] && echo "painted dots seen on screen, then a new blank frame"
