#!/usr/bin/env bash
# The jump list editor opened five times on the 10,000-entry list under
# Wine; the program traces how long each opening took (building the tree,
# filling the tree view, showing the window). Prints median and worst.
# usage: scripts/bench_editor_open.sh [BUILD_DIR]   (default build/windows)
exec bash "$(dirname "$0")/bench_scenario.sh" bench_editor_open bench_editor.sh "$@"
