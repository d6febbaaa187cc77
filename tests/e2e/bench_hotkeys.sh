# Measurements of the hotkeys under Wine, run through run_scenario.sh by
# scripts/bench_hotkey_popup.sh (not a test: it checks nothing but that it
# could measure).

# hk_bench_presses LABEL COUNT: COUNT presses of Ctrl+D over Total
# Commander, each timed from the injected keys to the shown popup, which is
# then closed with Escape; prints "LABEL: median M ms, worst W ms (N presses)".
hk_bench_presses() {
  local label=$1 count=$2 i ms times=()
  for ((i = 0; i < count; i++)); do
    hk_front TTOTAL_CMD || { fail "$label: Total Commander not in front"; return; }
    if ! ms=$(probe time-popup 2 0x44 20); then
      fail "$label: no popup within 20 s at press $((i + 1))"
      return
    fi
    times+=("$ms")
    probe press 0 0x1B
    wait_until 20 hk_popup_gone || { fail "$label: the popup did not close"; return; }
    sleep 0.7  # past the debounce
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v label="$label" '
    { t[NR] = $1 }
    END { m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2;
          printf "%s: median %.1f ms, worst %.1f ms (%d presses)\n", label, m, t[NR], NR }' |
    tee -a "$artifacts/bench.txt"
}

scenario_bench_hotkey_popup() {
  hk_logs
  {
    printf '\xEF\xBB\xBF[Option]\r\nShowMsgWhenIgnoreGlobalHotKey=0\r\nFolderManagerName=1\r\n[PathMenu]\r\n'
    local n
    for ((n = 1; n <= 1000; n++)); do printf 'menu%d=条目 %d\r\npath%d=C:\\users\\%d\r\n' "$n" "$n" "$n" "$n"; done
  } >"$ini"
  : >"$dir/IgnoreWinClass1.lst"
  : >"$artifacts/bench.txt"
  hk_start_standin Totalcmd.exe '--left=C:\windows'
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; return; }
  start_app
  wait_until 60 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_bench_presses "1,000 entries" 20
  probe set-big-clipboard 20 || fail "could not put 20 MB on the clipboard"
  hk_bench_presses "1,000 entries, 20 MB on the clipboard" 20
  close_app
}
