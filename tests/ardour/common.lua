io.stdout:setvbuf ("no")

function check (ok, message)
  if not ok then print ("FAILED: " .. message); os.exit (1) end
end

function open (dir, name)
  ARDOUR.config ():set_hide_dummy_backend (false)
  local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
  check (backend, "no dummy backend")
  backend:set_device_name ("Uniform White Noise")
  check (load_session (dir, name), "the session does not load")
end

function param_index (proc, label)
  local plug = proc:to_insert ():plugin (0)
  for i = 0, plug:parameter_count () - 1 do
    if plug:parameter_is_control (i) and plug:parameter_label (i) == label then return i end
  end
  check (false, "no parameter " .. label)
end

-- Waits (bounded) for the transport to reach `seconds`, then for it to stop.
function roll (seconds, recording)
  local target = Session:transport_sample () + seconds * Session:nominal_sample_rate ()
  Session:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
  for _ = 1, 600 do
    if Session:transport_sample () >= target then break end
    ARDOUR.LuaAPI.usleep (50000)
  end
  check (Session:transport_sample () >= target, "the transport does not roll")
  Session:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
  for _ = 1, 200 do
    if not Session:transport_rolling () then break end
    ARDOUR.LuaAPI.usleep (50000)
  end
end

function record (seconds)
  for r in Session:get_routes ():iter () do
    local t = r:to_track ()
    if not t:isnil () then t:rec_enable_control ():set_value (1, PBD.GroupControlDisposition.NoGroup) end
  end
  Session:maybe_enable_record (false)
  roll (seconds, true)
  Session:disable_record (false, false)
end
