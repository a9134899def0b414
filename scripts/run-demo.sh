#!/usr/bin/env bash
# Runs Dashwell on the bundled demo devices and skin. The main window is not built yet: for now this
# builds everything for Windows and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset windows > /dev/null
cmake --build --preset windows
echo "Built build/windows. The main window (Dashwell.exe) is not there yet, so there is nothing to run."
echo "Meanwhile: build/windows/wine-run build/windows/tools/dashwellctl.exe --help"
