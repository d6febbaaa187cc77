#!/usr/bin/env bash
# Makes the README's pictures (docs/images/readme-popup.png and
# readme-editor.png) with the end-to-end scenario readme_screenshots: the
# real program under Wine and Xvfb, photographed. Needs the Windows build
# (build/windows, as scripts/test.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/windows}
artifacts=$(mktemp -d)
bash tests/e2e/run_scenario.sh readme_screenshots "$build/src/app/win32/pathorama.exe" \
  "$build/tests/e2e/e2e_probe.exe" build/wineprefix "$artifacts"
mkdir -p docs/images
cp "$artifacts/readme_screenshots/readme-popup.png" "$artifacts/readme_screenshots/readme-editor.png" \
  docs/images/
rm -rf "$artifacts"
echo "docs/images/readme-popup.png and docs/images/readme-editor.png made"
