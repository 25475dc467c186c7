#!/usr/bin/env bash
# MIDI control changes reach the LV2 plugin in a real host (jalv on a JACK
# server with the dummy driver) with no window open, and change what is heard.
# A probe of our own plays a 240 Hz tone into the plugin, sends the control
# changes and records the output, segment by segment, on JACK's clock.
# Usage: jalv_cc_changes_sound.sh <folder holding Tessaline.lv2> <probe> <work dir>
set -euo pipefail

LV2_DIR=$(cd "$1" && pwd)
PROBE=$2
WORK=$3
URI="https://tessaline.audio/plugins/tessaline"
mkdir -p "$WORK"
export JACK_DEFAULT_SERVER="tessaline-test-jalv"
export JACK_NO_AUDIO_RESERVATION=1

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

jackd --no-realtime --sync -d dummy -r 48000 -p 1024 > "$WORK/jackd.log" 2>&1 &
pids+=($!)
timeout 10 jack_wait -w > /dev/null

rm -f "$WORK/jalv.in" && mkfifo "$WORK/jalv.in"
exec 3<> "$WORK/jalv.in"
LV2_PATH="$LV2_DIR" jalv -x -n tessaline "$URI" < "$WORK/jalv.in" > "$WORK/jalv.log" 2>&1 &
pids+=($!)

# The segments: the default low-pass at 3 kHz; "Type Of Filter" (CC 4) to
# high-pass at 500 Hz; "Bypass State" (CC 12) off, then on again.
"$PROBE" 1.0 4:0 12:127 12:127 > "$WORK/rms.txt" 2> "$WORK/probe.log" &
probe=$!
pids+=($probe)

midi_in=""
for _ in $(seq 50); do
    jack_lsp > "$WORK/ports.txt" 2>/dev/null || true
    midi_in=$(jack_lsp -t 2>/dev/null | awk '/^[^ \t]/ { port = $0; next } /midi/ && port ~ /^tessaline:/ { print port; exit }' || true)
    grep -q '^tessaline:audio_out_1$' "$WORK/ports.txt" && grep -q '^ccprobe:cc$' "$WORK/ports.txt" \
        && [ -n "$midi_in" ] && break
    sleep 0.2
done
[ -n "$midi_in" ] || { echo "no MIDI input port on the plugin"; cat "$WORK/ports.txt" "$WORK/jalv.log"; exit 1; }

jack_connect ccprobe:tone tessaline:audio_in_1
jack_connect ccprobe:tone tessaline:audio_in_2
jack_connect ccprobe:cc "$midi_in"
jack_connect tessaline:audio_out_1 ccprobe:in

wait "$probe" || { echo "the probe failed"; cat "$WORK/probe.log"; exit 1; }

python3 - "$WORK/rms.txt" <<'PY'
import sys
lowPass, highPass, bypassed, again = (float(x) for x in open(sys.argv[1]).read().split())
print(f"low-pass {lowPass:.4f}, high-pass {highPass:.4f}, bypassed {bypassed:.4f}, bypass off again {again:.4f}")
tone = 0.25 / 2 ** 0.5
assert lowPass > 0.7 * tone, "240 Hz should pass the default low-pass"
assert highPass < 0.5 * lowPass, "CC 4 = 0 should switch to the 500 Hz high-pass"
assert bypassed > 0.9 * tone, "CC 12 should bypass the filter"
assert again < 0.5 * bypassed, "CC 12 again should bring the high-pass back"
PY
