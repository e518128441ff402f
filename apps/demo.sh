#!/usr/bin/env bash
# The demo run by ./run demo: a fresh registry store with the shipped constellation-picture
# sets imported into it; then, with a display, the demo host opened on the sky chart, or,
# without one, the colour road walked headless (a screenshot of each step in a folder that
# stays), followed by the command line's walk through the same catalogue and files.
set -euo pipefail
build=${1:?usage: demo.sh BUILD_DIR}
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/apps/orvdcm"
demo="$build/apps/demo/orvdcm-demo"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
store=(--registry-dir "$work/registry")

echo "== A fresh registry store in $work/registry; importing apps/data/cnspic.reg"
"$cli" reg import "$top/apps/data/cnspic.reg" "${store[@]}"
"$cli" reg export 'HKEY_LOCAL_MACHINE\Software\Orrelab\Skyweave\10.0\CnsPic' "${store[@]}"

echo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== The demo host on the sky chart (\"Colours and fonts...\" opens the colour and font dialog)"
  "$demo" --sky --data-dir "$work/sky-chart" "${store[@]}"
else
  tour=$(mktemp -d "${TMPDIR:-/tmp}/orvdcm-tour.XXXXXX")
  echo "== No display: the colour road walked headless, screenshots in $tour"
  "$demo" --tour "$tour" "${store[@]}"
fi

echo
echo "== The colour and font catalogue (three picture sets stand after id 24525)"
"$cli" catalogue "${store[@]}"

echo
echo "== Colours and fonts against the command line's sky view (state kept in $work/sky)"
sky=(--data-dir "$work/sky" --registry-dir "$work/registry")
mkdir -p "$work/sky"
"$cli" colours save "${sky[@]}" --picture '.\constellation\CnsPic\CnsPic.lst'
iconv -f UTF-16 -t UTF-8 "$work/sky/ColorFont.txt" > "$work/saved.txt"
echo "saved $(wc -l < "$work/saved.txt") lines into ColorFont.txt"
"$cli" fonts larger "${sky[@]}"
"$cli" fonts larger "${sky[@]}"
iconv -f UTF-16 -t UTF-8 "$work/sky/ColorFont.txt" > "$work/larger.txt"
echo "-- after enlarging all labels twice (first lines that changed):"
diff "$work/saved.txt" "$work/larger.txt" | grep '^>' | head -n 8 || true
"$cli" reg get 'HKEY_CURRENT_USER\Software\Orrelab\Skyweave\10.0\Fonts' "${sky[@]:2}"
"$cli" fonts default "${sky[@]}"
iconv -f UTF-16 -t UTF-8 "$work/sky/ColorFont.txt" > "$work/default.txt"
if cmp -s "$work/saved.txt" "$work/default.txt"; then
  echo "-- back to the default sizes: ColorFont.txt is as saved"
else
  echo "-- back to the default sizes: differences remain"; diff "$work/saved.txt" "$work/default.txt" | head
fi
