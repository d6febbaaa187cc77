# How long the editor takes to open on a large list under Wine, run through
# run_scenario.sh by scripts/bench_editor_open.sh (not a test: it checks
# nothing but that it could measure).

scenario_bench_editor_open() {
  {
    printf '\xEF\xBB\xBF[PathMenu]\r\n'
    local g e n=0
    for ((g = 0; g < 1000; g++)); do
      printf 'menu%d=-项目组 %d\r\n' $((++n)) "$g"
      for ((e = 0; e < 10; e++)); do
        printf 'menu%d=报告与资料 %d(&R)\r\npath%d=D:\\工作\\项目%d\\资料%d | *E:\\备份\\{YYYY}\\%d\r\n' \
          $((++n)) $((g * 10 + e)) "$n" "$g" $((g * 10 + e)) $((g * 10 + e))
      done
      printf 'menu%d=--\r\n' $((++n))
    done
  } >"$ini"
  : >"$artifacts/bench.txt"
  start_app
  wait_until 60 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local i
  for ((i = 0; i < 5; i++)); do
    run_app /SetJumpList >/dev/null
    wait_until 60 ed_shown || { fail "no editor"; return; }
    probe click "$ed_title" "取消(&C)" || fail "no 取消(&C)"
    wait_until 20 ed_gone || { fail "the editor stayed open"; return; }
  done
  local nodes
  nodes=$(grep -a "editor: .* nodes shown in" "$trace" | head -n 1 | sed 's/.*editor: \([0-9]*\) nodes.*/\1/')
  grep -a "editor: .* nodes shown in" "$trace" | sed 's/.* shown in \([0-9]*\) ms.*/\1/' | sort -n |
    awk -v nodes="$nodes" '{ t[NR] = $1 }
      END { printf "editor open, %s nodes: median %d ms, worst %d ms (%d openings)\n",
            nodes, t[int((NR + 1) / 2)], t[NR], NR }' | tee -a "$artifacts/bench.txt"
  close_app
}
