#!/usr/bin/env bash
# The demo run by ./run demo: a fresh registry store, the shipped constellation-picture
# sets imported into it, and the catalogue that the library builds from them.
set -euo pipefail
build=${1:?usage: demo.sh BUILD_DIR}
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/apps/orvdcm"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
store=(--registry-dir "$work/registry")

echo "== A fresh registry store in $work/registry; importing apps/data/cnspic.reg"
"$cli" reg import "$top/apps/data/cnspic.reg" "${store[@]}"
"$cli" reg export 'HKEY_LOCAL_MACHINE\Software\Orrelab\Skyweave\10.0\CnsPic' "${store[@]}"

echo
echo "== The colour and font catalogue (three picture sets stand after id 24525)"
"$cli" catalogue "${store[@]}"
