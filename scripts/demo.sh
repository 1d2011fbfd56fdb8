#!/usr/bin/env bash
# Installs, builds and runs the main job on the bundled example description.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
./build/bin/vek check examples/demo.vek
./build/bin/vek open examples/demo.vek write-default read-all print script PollSensor
