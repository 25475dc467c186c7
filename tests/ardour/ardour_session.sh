#!/usr/bin/env bash
# Tessaline's LV2 and VST3 plugins in a real DAW: Debian's Ardour, headless,
# with its "None (Dummy)" audio backend generating white noise on its inputs.
# A session gets one track per plugin (and one without), records a take with
# the plugins in the tracks, is saved and reopened: the plugins come back with
# their parameters, and the LV2 plugin with the state (a drawn sequence) that a
# user preset gave it; a VST3 parameter changed while the insert is deactivated
# keeps its value after re-activation and a roll of the transport.
# Usage: ardour_session.sh <folder holding Tessaline.lv2> <folder holding Tessaline.vst3> <work dir> <source dir>
set -euo pipefail

LV2_DIR=$(cd "$1" && pwd)
VST3_DIR=$(cd "$2" && pwd)
WORK=$3
SRC=$(cd "$4" && pwd)
URI="https://tessaline.audio/plugins/tessaline"

rm -rf "$WORK" && mkdir -p "$WORK/home/.vst3" "$WORK/home/.lv2"
export HOME="$WORK/home"              # Ardour's settings and plugin caches stay in here
export LV2_PATH="$LV2_DIR:$HOME/.lv2:/usr/lib/lv2"
# Ardour runs its VST3 scanner as a process of its own, which needs Ardour's libraries.
export LD_LIBRARY_PATH=/usr/lib/ardour7${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
# Kept with its build time: Ardour takes a scan whose cache (written in whole
# seconds) is older than the module as out of date.
cp -a "$VST3_DIR/Tessaline.vst3" "$HOME/.vst3/"

# A VST3 is listed only once Ardour's scanner has seen it.
/usr/lib/ardour7/ardour-vst3-scanner "$HOME/.vst3/Tessaline.vst3" > "$WORK/scan.log" 2>&1
grep -q 'Found Plugin: Tessaline' "$WORK/scan.log" || { echo "the VST3 scanner did not find the plugin"; cat "$WORK/scan.log"; exit 1; }

# A user preset of the LV2 plugin holding a state saved by Tessaline 1.0.0: a
# drawn sequence, its loop range and non-default parameters.
python3 "$SRC/tests/ardour/juce_state.py" preset "$SRC/tests/fixtures/state-1.0.0.bin" "$URI" "$HOME/.lv2/tessaline-fixture.lv2"

SESSION="$WORK/session"
# Created with settings of its own: Ardour discovers plugins once per settings
# folder, and a discovery without the VST3 scan would hide the plugin later.
HOME="$WORK/new-session-home" ardour7-new_empty_session "$SESSION" take > "$WORK/new.log" 2>&1

lua() {   # runs a Lua script in Ardour's session tool; its output goes to $WORK/$1.log
    local name=$1; shift
    { cat "$SRC/tests/ardour/common.lua"; cat; } > "$WORK/$name.lua"
    if ! timeout 300 ardour7-lua "$WORK/$name.lua" > "$WORK/$name.log" 2>&1; then
        echo "ardour7-lua $name failed:"; cat "$WORK/$name.log"; exit 1
    fi
    grep -q "^done$" "$WORK/$name.log" || { echo "ardour7-lua $name stopped early:"; cat "$WORK/$name.log"; exit 1; }
}

lua build <<EOF_LUA
open ("$SESSION", "take")
local function add (name, id, kind)
  local track = Session:new_audio_track (2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false):front ()
  if id then
    local p = ARDOUR.LuaAPI.new_plugin (Session, id, kind, "")
    check (not p:isnil (), name .. ": the plugin is not found")
    check (track:add_processor_by_index (p, 0, nil, true) == 0, name .. ": the plugin is not inserted")
  end
  return track
end
add ("Dry")
add ("LV2", "$URI", ARDOUR.PluginType.LV2)
local vst3 = add ("VST3", "Tessaline", ARDOUR.PluginType.VST3)
local sequence = add ("Sequence", "$URI", ARDOUR.PluginType.LV2)

-- The VST3 track's filter becomes a high-pass, through the host's parameter.
local vp = vst3:nth_plugin (0)
check (param_index (vp, "Type Of Filter") == 0, "VST3: Type Of Filter is not the first parameter")
ARDOUR.LuaAPI.set_processor_param (vp, 0, 0.0)

-- The sequence track's plugin loads the user preset.
local plug = sequence:nth_plugin (0):to_insert ():plugin (0)
local preset = plug:preset_by_label ("Fixture")
check (preset and preset.valid, "the LV2 preset is not listed")
check (plug:load_preset (preset), "the LV2 preset does not load")

record (2)
Session:save_state ("", false, false, false, false, false)
print ("done")
EOF_LUA

lua reopen <<EOF_LUA
open ("$SESSION", "take")
for _, name in ipairs ({ "LV2", "VST3", "Sequence" }) do
  local r = Session:route_by_name (name)
  check (not r:isnil () and not r:nth_plugin (0):isnil (), name .. ": the plugin did not come back")
  check (r:nth_plugin (0):display_name () == "Tessaline", name .. ": " .. r:nth_plugin (0):display_name ())
end
check (Session:route_by_name ("Dry"):to_track ():playlist ():region_list ():size () == 1, "the take did not come back")

local vp = Session:route_by_name ("VST3"):nth_plugin (0)
local typeOfFilter = ARDOUR.LuaAPI.get_processor_param (vp, 0, true)
check (math.abs (typeOfFilter) < 1e-6, "VST3: Type Of Filter came back as " .. tostring (typeOfFilter))

-- A parameter changed while the insert is deactivated keeps its value once
-- the insert is active again and the transport rolls.
local dw = param_index (vp, "Dry/Wet")
vp:deactivate ()
ARDOUR.LuaAPI.set_processor_param (vp, dw, 0.25)
vp:activate ()
roll (1)
local kept = ARDOUR.LuaAPI.get_processor_param (vp, dw, true)
check (math.abs (kept - 0.25) < 1e-3, "VST3: Dry/Wet set while deactivated came back as " .. tostring (kept))
ARDOUR.LuaAPI.set_processor_param (vp, dw, 1.0)
Session:request_locate (0, false, ARDOUR.LocateTransportDisposition.MustStop, ARDOUR.TransportRequestSource.TRS_UI)

Session:save_state ("", false, false, false, false, false)
print ("done")
EOF_LUA

# The sequence plugin's state, as Ardour saved it after reopening the session.
state=$(ls -t "$SESSION"/plugins/*/state*/state.ttl 2>/dev/null | xargs -r grep -l StateString | xargs -r grep -l 'StateString' | head -n 40)
found=""
for f in $state; do
    xml=$(python3 "$SRC/tests/ardour/juce_state.py" decode "$f")
    if echo "$xml" | grep -q 'LoopRangeMin="3"'; then found=$f; break; fi
done
[ -n "$found" ] || { echo "no saved LV2 state holds the preset's sequence"; exit 1; }
python3 - "$found" "$SRC/tests/ardour/juce_state.py" <<'PY'
import sys, subprocess, xml.etree.ElementTree as ET
root = ET.fromstring(subprocess.check_output(["python3", sys.argv[2], "decode", sys.argv[1]]))
for i in range(64):
    assert abs(float(root.get(f"fader{i}")) - ((i * 37) % 64) / 63) < 1e-9, f"fader{i}"
    assert root.get(f"dots{i}") == ("1" if i % 5 == 2 else "0"), f"dots{i}"
params = {p.get("id"): float(p.get("value")) for p in root.iter("PARAM")}
assert params["quantize"] == 4 and params["direction"] == 1 and abs(params["dryWet"] - 0.64) < 1e-6, params
print("the sequence came back with the session:", sys.argv[1])
PY
