#!/bin/bash
# Real compilers as clients of the generated source: the ANSI C file must compile as strict
# C89 and hold exactly the frames' bytes; so must the C51 file with its storage keyword
# mapped; SDCC must accept the C51 file for the 8051, and the 8051 assembler of MCU 8051 IDE
# must assemble the ASM file into exactly the frames' bytes.
set -u
run_in_prefix=$1 template=$2 scratch=$3 generator=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "$scratch/compile.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
"$run_in_prefix" "$template" "$scratch" "$generator" || { echo "generator failed"; exit 1; }
tr -d '\r' <expected.txt >expected.lf

check() { # name, extra compiler flags...
    local source=$1
    shift
    gcc -std=c89 -pedantic-errors -Wall -Werror "$@" -DFRAMES_SOURCE="\"$work/$source\"" \
        -o "print_$source.bin" "$here/print_frames.c" || { echo "gcc rejected $source"; return 1; }
    "./print_$source.bin" >"printed_$source.txt"
    cmp -s "printed_$source.txt" expected.lf || { echo "$source holds other bytes"; return 1; }
    echo "$source: $(wc -l <expected.lf) bytes compiled and checked"
}
failures=0
check frames_ansi.c || failures=$((failures + 1))
check frames_c51.c -Dcode=const || failures=$((failures + 1))
# SDCC 4.2 rejects the bare keyword; its spelling is __code
sdcc -mmcs51 -Dcode=__code -c frames_c51.c -o frames_c51.rel >sdcc.log 2>&1 ||
    { cat sdcc.log; echo "sdcc rejected frames_c51.c"; failures=$((failures + 1)); }
[ -f frames_c51.rel ] && echo "frames_c51.c: accepted by sdcc for the 8051"

timeout 120 mcu8051ide --compile frames_asm.asm >asm.log 2>&1 </dev/null
if [ -f frames_asm.hex ]; then
    # Intel HEX data records, in address order: one byte a line
    python3 -c '
import sys
data = {}
for line in open(sys.argv[1]):
    line = line.strip()
    count, address, kind = int(line[1:3], 16), int(line[3:7], 16), int(line[7:9], 16)
    if kind == 0:
        for i in range(count):
            data[address + i] = line[9 + 2 * i:11 + 2 * i].lower()
print("\n".join(data[a] for a in sorted(data)))' frames_asm.hex >assembled.txt
    if cmp -s assembled.txt expected.lf; then
        echo "frames_asm.asm: assembled for the 8051 into the same bytes"
    else
        echo "frames_asm.asm assembled into other bytes"; failures=$((failures + 1))
    fi
else
    sed 's/\x1b\[[0-9;]*m//g' asm.log | tail -20; echo "the assembler rejected frames_asm.asm"
    failures=$((failures + 1))
fi
exit $failures
