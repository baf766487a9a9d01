#!/bin/sh
# The running program's processor load on the simulated bench, per mode and rate: the program is
# started on a virtual X display (Xvfb), put into the oscilloscope, the FFT analyzer or the X-Y
# view by a click on its mode button, and its processor time read from /proc over 10 s.
# Usage: [RATES="48000 192000"] bench/live-cpu.sh [PROGRAM]
#   (default: build/app/velmora2 with the tone files beside it; needs Xvfb and xdotool)
set -eu
program=$(readlink -f "${1:-build/app/velmora2}")
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
Xvfb :71 -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
ticks=$(getconf CLK_TCK)
# The instrument's default settings at a rate (the loader reads every key, in this order).
settings() {
    rate=$1
    cat <<SETTINGS
[OPTION]
CAL : 1.000000
OSR : 1
DIFUNIT : SEC
TRIGEDGE : RISING
TRIGMODE : NORMAL
TADJ : 0
ADCRNG : DISABLE
FFTN : 2048
XLOG : LINEAR
WINFUNC : black-h
MAINFREQ : ON
THD : ON
THDPN : ON
SN : ON
HPF : OFF
SPECCAL : 0.000000
PHSDLY : PHASE
GRNG : -50.000000
DRNG : 300.000000
PRNG : -180 to 180
GOFT : 0.000000
PLAYWAV : sin1k.wav
DEVICE : 0
FSAMPLE : $rate
MAXREC : 30.000000
AVEENB : OFF
MAXAVEN : 50
WAVN : 18
SLOWSWEEP : OFF
GENSOURCE : WAV
GENFREQ : 1000.000000
GENLEVEL : -6.000000
GENPHASE : 0.000000
GENFREQ2 : 7000.000000
GENRATIO : 4.000000
GENCHANNELS : BOTH
GENDITHER : ON
PRECISE : OFF
FSVRMS : 0.000000
NETMETHOD : STEPPED
LOGSECONDS : 4.000000
LOGSTART : 20.000000
LOGEND : 20000.000000
LOGSMOOTH : 48
SETTINGS
}
cpu_time() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
for rate in ${RATES:-48000 192000}; do
    for mode in "scope 462" "fft 488" "xy 514"; do
        name=${mode% *}
        y=${mode#* }
        cp "$program" "$work/velmora2"
        # The tone files beside the program, so that the generator plays as it does for a user.
        cp "$(dirname "$program")"/*.wav "$work/" 2>/dev/null || true
        settings "$rate" >"$work/Velmora2.INI"
        (cd "$work" && DISPLAY=:71 VELMORA2_AUDIO=sim ./velmora2 >/dev/null 2>&1) &
        sleep 3
        pid=$(pgrep -n -f "$work/velmora2" || pgrep -n velmora2)
        DISPLAY=:71 xdotool mousemove 56 "$y" click 1
        sleep 2
        before=$(cpu_time "$pid")
        sleep 10
        after=$(cpu_time "$pid")
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        awk -v r="$rate" -v m="$name" -v a="$before" -v b="$after" -v t="$ticks" \
            'BEGIN { printf "%6d Hz %-6s %5.1f%% of a core\n", r, m, 100 * (b - a) / t / 10 }'
    done
done
