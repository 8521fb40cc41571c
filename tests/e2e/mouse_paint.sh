#!/bin/bash
# End to end, as a person would: the real program runs under wine64, real X mouse events
# press and drag over its grid, a screenshot of the screen shows the painted dots, and the
# first click on "&New..." right after painting adds a frame.
set -u
template=$1 scratch=$2 program=$3 probe=$4
mkdir -p "$scratch"
prefix=$(mktemp -d "$scratch/e2e.XXXXXX")
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix WINEDEBUG=-all
wine=/usr/lib/wine/wine64
status=1
finish() {
    timeout 60 /usr/lib/wine/wineserver -k >/dev/null 2>&1 </dev/null
    rm -rf "$prefix"
    exit $status
}
trap finish EXIT

xdotool mousemove 1200 1000 # away from where the window opens
timeout 120 $wine "$program" >"$prefix/program.log" 2>&1 </dev/null &
program_pid=$!
read -r left top thumb < <(timeout 60 $wine "$probe" 2>/dev/null </dev/null | tr -d '\r')
if [ -z "${thumb:-}" ]; then echo "the program's window did not appear"; exit; fi
sleep 1
timeout 30 $wine "$probe" --command 201 >/dev/null 2>&1 </dev/null # Manual Paint
sleep 0.5

# the centre of the screen cell (column, row) of the 32 x 32 grid
cell_x() { echo $((left + 5 + 10 * $1 + 5)); }
cell_y() { echo $((top + thumb + 10 + 10 * $1 + 5)); }

# a 16 x 16 matrix starts at grid column 8: drag along row 8 from column 8 to 12
xdotool mousemove "$(cell_x 8)" "$(cell_y 8)"
sleep 0.3
xdotool mousedown 1
for column in 9 10 11 12; do
    xdotool mousemove "$(cell_x $column)" "$(cell_y 8)"
    sleep 0.1
done
xdotool mouseup 1
xdotool mousemove 1200 1000
sleep 0.5
import -window root "$prefix/shot.png"
cp "$prefix/shot.png" "$scratch/e2e-shot.png"

pixel() { convert "$prefix/shot.png" -format "%[pixel:p{$1,$2}]" info:; }
failures=0
for column in 8 9 10 11 12; do
    colour=$(pixel "$(cell_x $column)" "$(cell_y 8)")
    case "$colour" in
    "srgb(0,0,0)" | black) ;;
    *) echo "cell ($column, 8) is $colour, not a painted dot"; failures=$((failures + 1)) ;;
    esac
done
colour=$(pixel "$(cell_x 10)" "$(cell_y 10)")
case "$colour" in
"srgb(255,255,255)" | white) ;;
*) echo "cell (10, 10) is $colour, not blank"; failures=$((failures + 1)) ;;
esac

# straight from the grid to "&New..." (client 210, T + 335, 120 x 20), one click
xdotool mousemove "$(cell_x 12)" "$(cell_y 8)"
sleep 0.3
xdotool mousemove $((left + 270)) $((top + thumb + 345))
sleep 0.3
xdotool click 1
sleep 0.5
frames=$(timeout 30 $wine "$probe" --frames 2>/dev/null </dev/null | tr -d '\r')
[ "$frames" = 2 ] || { echo "the first click on New made $frames frames, not 2"; failures=$((failures + 1)); }

timeout 30 $wine "$probe" --close >/dev/null 2>&1 </dev/null
wait $program_pid
exit_code=$?
[ $exit_code -eq 1 ] || { echo "the program exited with $exit_code, not 1"; failures=$((failures + 1)); }
if [ $failures -eq 0 ]; then
    echo "painted dots seen on screen; screenshot: $scratch/e2e-shot.png"
    status=0
fi
