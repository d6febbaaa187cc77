#!/usr/bin/env bash
# Hotkey to visible popup under Wine: Ctrl+D over the Total Commander
# stand-in with a 1,000-entry jump list, twenty presses, then the same with
# 20 MB of text on the clipboard (the folder is read through the clipboard,
# which is saved and put back around it). Prints median and worst of each.
# usage: scripts/bench_hotkey_popup.sh [BUILD_DIR]   (default build/windows)
exec bash "$(dirname "$0")/bench_scenario.sh" bench_hotkey_popup bench_hotkeys.sh "$@"
