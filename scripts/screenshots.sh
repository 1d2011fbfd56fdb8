#!/usr/bin/env bash
# Takes the screenshots of docs/images: vek32 on the demo board under Xvfb, the main window at its
# start-up size (two thirds of a 1536 x 960 screen), and the start-up window alone on screens of
# 1280 x 1024 and 1024 x 768.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vek32_screenshots pardrv32 I2C32
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# The simulated demo board with the I2C driver's default settings; no user settings.
export VEK_PCALH_IO="$scratch/pcalh_io.ini"
export XDG_RUNTIME_DIR="$scratch"
mkdir -p docs/images
xvfb-run -a -s "-screen 0 1536x960x24" build/bin/vek32_screenshots docs/images examples/demo.vek
for screen in 1280x1024 1024x768; do
    xvfb-run -a -s "-screen 0 ${screen}x24" build/bin/vek32_screenshots docs/images examples/demo.vek \
        "vek32-start-up-${screen}.png"
done
