#!/usr/bin/env bash
# Times the error report of a large verification against its floor (the same
# rows read by the same query, the same texts drawn with QPainter into a PDF,
# without band logic), with CPU time, wall time and peak resident memory, and
# prints a Markdown table.
#
#   bench/relatorio.sh BUILD_DIR [VEZES]
#
# For 50,000 and 200,000 rows of te8errwa, in a fresh copy of BUILD_DIR/bin/dados
# in a temporary folder, the floor and the report run alternately VEZES times
# (default 3); each figure is the best of its runs.
set -euo pipefail

if [[ $# -lt 1 || ! -x "$1/bin/gdzovi-bench-relatorio" ]]; then
    echo "uso: $0 BUILD_DIR [VEZES]   (construa o alvo gdzovi-bench-relatorio)" >&2
    exit 2
fi
BIN=$(cd "$1/bin" && pwd)
VEZES=${2:-3}
[[ -x /usr/bin/time ]] || { echo "falta /usr/bin/time (pacote time)" >&2; exit 2; }

TRABALHO=$(mktemp -d "${TMPDIR:-/tmp}/gdzovi-bench-relatorio-XXXXXX")
trap 'rm -rf "$TRABALHO"' EXIT
export QT_QPA_PLATFORM=offscreen

# Prints "cpu_s wall_s peak_MB" of one run.
mede() {
    /usr/bin/time -f "%U %S %e %M" -o "$TRABALHO/tempo" "$BIN/gdzovi-bench-relatorio" "$@" >/dev/null 2>&1
    awk '{ printf "%.2f %.2f %.0f\n", $1 + $2, $3, $4 / 1024 }' "$TRABALHO/tempo"
}

# The smallest of each column over the lines given.
melhor() { sort -n -k1,1 | awk 'NR == 1 { c = $1 } { if (!w || $2 < w) w = $2; if (!m || $3 < m) m = $3 } END { print c, w, m }'; }

echo "| rows | pages | floor CPU s | report CPU s | CPU ratio | floor wall s | report wall s | wall ratio | floor peak MB | report peak MB |"
echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
for linhas in 50000 200000; do
    dados="$TRABALHO/dados-$linhas"
    cp -r "$BIN/dados" "$dados"
    "$BIN/gdzovi-bench-relatorio" preenche "$dados" "$linhas" >/dev/null 2>&1
    : >"$TRABALHO/piso"
    : >"$TRABALHO/relatorio"
    for ((i = 0; i < VEZES; i++)); do
        mede piso "$dados" "$TRABALHO/piso.pdf" >>"$TRABALHO/piso"
        mede relatorio "$dados" "$TRABALHO/relatorio.pdf" >>"$TRABALHO/relatorio"
    done
    read -r pc pw pm < <(melhor <"$TRABALHO/piso")
    read -r rc rw rm < <(melhor <"$TRABALHO/relatorio")
    paginas=$(pdfinfo "$TRABALHO/relatorio.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
    awk -v l="$linhas" -v p="${paginas:-?}" -v pc="$pc" -v rc="$rc" -v pw="$pw" -v rw="$rw" -v pm="$pm" -v rm="$rm" \
        'BEGIN { printf "| %d | %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %d | %d |\n", l, p, pc, rc, rc / pc, pw, rw, rw / pw, pm, rm }'
    rm -rf "$dados"
done
