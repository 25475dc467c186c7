#!/usr/bin/env bash
# The LV2 bundle, loaded by a real LV2 host (jalv) on a real JACK server (the
# dummy driver, so no sound card is needed): a tone goes in, filtered audio
# comes out. Usage: jalv_passes_audio.sh <folder holding Tessaline.lv2> <work dir>
set -euo pipefail

LV2_DIR=$(cd "$1" && pwd)
WORK=$2
URI="https://tessaline.audio/plugins/tessaline"
mkdir -p "$WORK"
# A fixed name: JACK keeps a small table of servers in shared memory, and a
# server that did not exit cleanly leaves its entry behind until one of the
# same name reclaims it.
export JACK_DEFAULT_SERVER="tessaline-test-jalv"
export JACK_NO_AUDIO_RESERVATION=1

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# Synchronous mode: a busy machine makes cycles late instead of dropping clients' audio.
jackd --no-realtime --sync -d dummy -r 48000 -p 1024 > "$WORK/jackd.log" 2>&1 &
pids+=($!)
timeout 10 jack_wait -w > /dev/null

# jalv reads commands from standard input; keep it open and idle for as long as this script runs.
rm -f "$WORK/jalv.in" && mkfifo "$WORK/jalv.in"
exec 3<> "$WORK/jalv.in"
LV2_PATH="$LV2_DIR" jalv -x -n tessaline "$URI" < "$WORK/jalv.in" > "$WORK/jalv.log" 2>&1 &
pids+=($!)

jack_simple_client > "$WORK/tone.log" 2>&1 &
pids+=($!)

for _ in $(seq 50); do
    jack_lsp 2>/dev/null | grep -q '^tessaline:audio_out_2$' && jack_lsp 2>/dev/null | grep -q '^jack_simple_client:output2$' && break
    sleep 0.2
done
jack_lsp > "$WORK/ports.txt"
grep -q '^tessaline:audio_in_1$' "$WORK/ports.txt" || { echo "jalv did not instantiate the plugin"; cat "$WORK/jalv.log"; exit 1; }

jack_connect jack_simple_client:output1 tessaline:audio_in_1
jack_connect jack_simple_client:output2 tessaline:audio_in_2

rm -f "$WORK/out.wav"
timeout 60 jack_rec -f "$WORK/out.wav" -d 2 -b 16 tessaline:audio_out_1 tessaline:audio_out_2 > "$WORK/rec.log" 2>&1

python3 - "$WORK/out.wav" <<'PY'
import sys, wave, struct, math
w = wave.open(sys.argv[1])
n, ch, width = w.getnframes(), w.getnchannels(), w.getsampwidth()
raw = w.readframes(n)
assert width == 2, f"unexpected sample width {width}"
samples = struct.unpack("<%dh" % (n * ch), raw)
for c in range(ch):
    s = samples[c::ch][n // 4:]            # skip the start-up
    rms = math.sqrt(sum(x * x for x in s) / len(s)) / 32768.0
    print(f"channel {c + 1}: {len(s)} frames, rms {rms:.4f}")
    assert rms > 0.01, "the plugin's output is silent"
PY
