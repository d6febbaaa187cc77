# End-to-end scenarios that photograph the program: the README's pictures
# (the popup over a file manager, the editor), and the windows at 200 %
# scaling. Sourced by run_scenario.sh; scripts/readme_screenshots.sh copies
# the README's pictures into docs/images.

screens_list=('[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users' 'menu2=-项目(&X)'
  'menu3=本月报告(&B)' 'path3=D:\报告\{YYYY}\{MM}' 'menu4=设计稿(&S)' 'path4=D:\设计'
  'menu5=--' 'menu6=-' 'menu7=系统文件夹(&W)' 'path7=C:\windows'
  'menu8=开机启动项(&R)' 'path8=HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
  'menu9=项目网站(&G)' 'path9=https://example.com/')

# Crops the screenshot FILE to LEFT TOP RIGHT BOTTOM (grown by 12 pixels,
# kept on the screen) into OUT.
screens_crop() {
  local file=$1 out=$2 l=$(($3 - 12)) t=$(($4 - 12)) r=$(($5 + 12)) b=$(($6 + 12))
  ((l < 0)) && l=0
  ((t < 0)) && t=0
  ((r > 1280)) && r=1280
  ((b > 1024)) && b=1024
  convert "$file" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out" 2>/dev/null ||
    fail "could not crop $file"
}
# "WIDTH HEIGHT" of a PNG file.
screens_size() { identify -format '%w %h' "$1" 2>/dev/null; }

# The README's two pictures: the jump list popped up over a file manager
# (the Total Commander stand-in), and the editor with the same list.
scenario_readme_screenshots() {
  ed_ini "${screens_list[@]}"
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  targets_start_standin Totalcmd.exe '--left=C:\windows' '--right=C:\users'
  wait_until 30 targets_has_window TTOTAL_CMD || { fail "the file manager stand-in did not appear"; return; }
  local manager popup l t r b pl pt pr pb
  read -r _ l t r b < <(targets_window_of_class TTOTAL_CMD)
  targets_pop_up || return
  sleep 1
  import -window root "$work/popup-full.png" 2>/dev/null || { fail "screenshot failed"; return; }
  read -r pl pt pr pb < <(probe popups | head -n 1)
  screens_crop "$work/popup-full.png" "$artifacts/readme-popup.png" \
    $((pl < l ? pl : l)) $((pt < t ? pt : t)) $((pr > r ? pr : r)) $((pb > b ? pb : b))
  probe press 0 0x1B
  wait_until 20 targets_popup_gone || fail "the popup did not close"

  expect_eq "exit code of a start with /SetJumpList" "$(run_app /SetJumpList)" 0
  wait_until 30 ed_shown || { fail "no editor after /SetJumpList"; return; }
  sleep 2
  import -window root "$work/editor-full.png" 2>/dev/null || { fail "screenshot failed"; return; }
  read -r _ _ l t r b < <(probe find-window "$ed_title")
  # The client area, from just above the tree's label: without a window
  # manager the frame and caption are not drawn.
  local label_top
  read -r _ label_top _ _ < <(probe descendant-rect "$ed_title" 6401)
  screens_crop "$work/editor-full.png" "$artifacts/readme-editor.png" $((l + 14)) $((label_top + 4)) \
    $((r - 14)) $((b - 14))
  probe click "$ed_title" "取消(&C)" || fail "no 取消(&C)"
  local w h
  read -r w h < <(screens_size "$artifacts/readme-popup.png")
  check "the popup picture holds the popup and the file manager (${w}x$h)" [ "${w:-0}" -ge 300 -a "${h:-0}" -ge 200 ]
  read -r w h < <(screens_size "$artifacts/readme-editor.png")
  check "the editor picture holds the editor (${w}x$h)" [ "${w:-0}" -ge 400 -a "${h:-0}" -ge 400 ]
  close_app
}

# At 200 % the popup's rows, its icons and the dialogs are twice as large
# as at 100 %, their text drawn at that size: the popup, the options and the
# about box are photographed at both.
scenario_screens_at_200_percent() {
  ed_ini "${screens_list[@]}"
  local h100 h200 pl pt pr pb
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  targets_pop_up || return
  sleep 1
  import -window root "$artifacts/popup-100.png" 2>/dev/null || fail "screenshot failed"
  h100=$((popup_bottom - popup_top))
  probe press 0 0x1B
  wait_until 20 targets_popup_gone || fail "the popup did not close"
  close_app

  set_screen_scaling 200
  first_activation_again
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  targets_pop_up || return
  sleep 1
  import -window root "$artifacts/popup-200.png" 2>/dev/null || fail "screenshot failed"
  h200=$((popup_bottom - popup_top))
  check "the popup at 200 % ($h200 px high) is about twice as high as at 100 % ($h100 px)" \
    [ $((h200 * 100)) -ge $((h100 * 170)) -a $((h200 * 100)) -le $((h100 * 230)) ]
  probe press 0 0x1B
  wait_until 20 targets_popup_gone || fail "the popup did not close"
  opt_open || { close_app; return; }
  import -window root "$artifacts/options-200.png" 2>/dev/null || fail "screenshot failed"
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the options stayed open after 取消"
  close_app
}
