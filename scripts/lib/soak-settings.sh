# The soak's settings, with every timer at its fastest (scripts/soak.sh), in
# the prefix WINEPREFIX names, the pinger's tick given in ms (default 1000).
# Also used by the traced runs of the tests.
soak_settings() {
  local key='HKLM\SOFTWARE\Marlpit\Tidewave\Settings'
  wine reg delete 'HKLM\SOFTWARE\Marlpit' /f >/dev/null 2>&1 || true
  set_value() { wine reg add "$key\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
  # RAM alarm: the level far above any free memory, so every check frees.
  set_value RamSettings chkSoundon 1
  set_value RamSettings chkAutomatic 1
  set_value RamSettings txtAlarm 1000000
  set_value RamSettings txtFreeAlarm 1
  set_value RamSettings txtTimeCheck 100
  set_value RamSettings txtRunOnly 0
  set_value RamSettings txtRetryOptimization 1
  # Pinger: manual mode, 127.0.0.1, a ping on every tick.
  set_value NetPinger chkDoPinging 1
  set_value NetPinger optAuto False
  set_value NetPinger optManual True
  set_value NetPinger txtPingHost 127.0.0.1
  set_value NetPinger cmbPingInterval 0
  set_value NetPinger chkSound 1
  set_value NetPinger SoakPingerTickMs "${1:-1000}"
}
