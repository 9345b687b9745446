#!/usr/bin/env bash
# Builds the palette and starts it under Wine, in the current folder (where it looks for
# user_define_*.txt). With no X display it starts a virtual one, saves a screenshot of the
# palette, prints where, and closes it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(pwd)

bash "$root/scripts/setup.sh"
(cd "$root" && cmake --preset mingw >/dev/null && cmake --build --preset mingw -j2 --target quillaro_palette)
exe="$root/build/mingw/quillaro_palette.exe"

if [[ -n "${DISPLAY:-}" ]]; then
  cd "$work"
  exec wine "$exe"
fi

# No display: the test environment's virtual display and Wine prefix.
# shellcheck source=../tests/e2e/wine_env.sh
source "$root/tests/e2e/wine_env.sh"
e2e_start_session || true  # it tolerates a Wine server that is not running
cd "$work"
wine "$exe" &
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Quillaro符號輸入小工具$' 2>/dev/null | head -n 1 || true)
  [[ -n "$window" ]] && break
  sleep 0.2
done
if [[ -z "${window:-}" ]]; then
  echo "The palette did not open." >&2
  exit 1
fi
sleep 1  # let it paint
shot="$root/build/mingw/palette.png"
import -window root -display "$DISPLAY" "$shot.full.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
convert "$shot.full.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
rm -f "$shot.full.png"
echo "Screenshot of the palette: $shot"
