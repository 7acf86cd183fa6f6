#!/usr/bin/env bash
# The main job on a fresh machine: installs what the project needs, builds
# the render tool and renders the tour scene to a PNG.
#   examples/render-tour.sh [out.png] [build-dir]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$top/tour.png"}
build=${2:-"$top/build-render"}

"$top/.ci/install-packages"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELPH_TESTS=OFF -DZELPH_BENCH=OFF
cmake --build "$build" -j2 --target zelph-render
"$build/bin/zelph-render" "$top/examples/tour.json" -o "$out"
echo "rendered $out"
