#!/usr/bin/env bash
# Times the whole-declaration verification against its floor (one read of every
# employee row through the engine) on generated declarations, with wall time
# and peak resident memory of each, and prints a Markdown table.
#
#   bench/verificacao.sh BUILD_DIR [--1m] [--manter]
#
#   --1m      also the 1,000,000-employee declaration (100 x 10,000; several minutes)
#   --manter  keep the generated data folders (their paths are printed)
#
# Each declaration is generated into a fresh copy of BUILD_DIR/bin/dados in a
# temporary folder, so the build's own data folder is never touched.
set -euo pipefail

if [[ $# -lt 1 || ! -d "$1/bin" ]]; then
    echo "uso: $0 BUILD_DIR [--1m] [--manter]" >&2
    exit 2
fi
BIN=$(cd "$1/bin" && pwd)
shift
UM_MILHAO=0
MANTER=0
for a in "$@"; do
    case "$a" in
        --1m) UM_MILHAO=1 ;;
        --manter) MANTER=1 ;;
        *) echo "opção desconhecida: $a" >&2; exit 2 ;;
    esac
done

for p in gdzovi-gera gdzovi-piso gdzovi-lote; do
    [[ -x "$BIN/$p" ]] || { echo "falta $BIN/$p: construa os alvos gdzovi-gera gdzovi-piso gdzovi-lote" >&2; exit 2; }
done
[[ -d "$BIN/dados" ]] || { echo "falta a pasta de dados $BIN/dados (alvo dados)" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "falta /usr/bin/time (pacote time)" >&2; exit 2; }

# The verification as the verification wizard runs it: the program's own tables, base year 2005.
uso=$("$BIN/gdzovi-lote" 2>&1 || true)
if [[ $uso != *verificar* ]]; then
    echo "este gdzovi-lote não tem o comando verificar" >&2
    exit 2
fi

TRABALHO=$(mktemp -d "${TMPDIR:-/tmp}/gdzovi-bench-XXXXXX")
limpa() { [[ $MANTER == 1 ]] || rm -rf "$TRABALHO"; }
trap limpa EXIT

# Runs a command under /usr/bin/time -v; prints "seconds peak_MB" and keeps its log.
# The verification exits 1 or 2 when it finds errors or warnings: that is a result, not a failure.
mede_uma() {
    local log=$1
    shift
    local rc=0
    /usr/bin/time -v "$@" >"$log" 2>&1 || rc=$?
    if [[ $rc -gt 2 ]]; then
        echo "falhou ($rc): $*" >&2
        tail -5 "$log" >&2
        exit 1
    fi
    awk -F': ' '/Elapsed \(wall clock\)/ {
                    n = split($2, t, ":"); s = 0
                    for (i = 1; i <= n; i++) s = s * 60 + t[i]
                    tempo = s }
                /Maximum resident set size/ { mb = $2 / 1024 }
                END { printf "%.2f %.0f", tempo, mb }' "$log"
}

# The best of two runs: the machine is shared, and the first read may find the file out of the cache.
mede() {
    local log=$1
    shift
    local a b
    a=$(mede_uma "$log" "$@")
    b=$(mede_uma "$log.2" "$@")
    awk -v a="$a" -v b="$b" 'BEGIN { split(a, x, " "); split(b, y, " ")
        printf "%.2f %d", (x[1] < y[1] ? x[1] : y[1]), (x[2] > y[2] ? x[2] : y[2]) }'
}

# The row count the verification prints at its end.
linhas_te8errwa() { grep -o 'Linhas em TE8ERRWA: [0-9]*' "$1" | tail -1 | grep -o '[0-9]*$' || echo "?"; }

cenario() {
    local nome=$1 estab=$2 empregados=$3
    shift 3
    local pasta="$TRABALHO/$nome"
    mkdir -p "$pasta"
    cp "$BIN"/dados/* "$pasta"/
    local r tg mg tp mp
    r=$(mede_uma "$pasta.gera.log" "$BIN/gdzovi-gera" "$pasta" "$estab" "$empregados" "$@")
    read -r tg mg <<<"$r"
    r=$(mede "$pasta.piso.log" "$BIN/gdzovi-piso" "$pasta")
    read -r tp mp <<<"$r"
    r=$(mede "$pasta.verifica.log" "$BIN/gdzovi-lote" verificar "$pasta" --ano 2005)
    local tv mv razao linhas
    read -r tv mv <<<"$r"
    razao=$(awk -v v="$tv" -v p="$tp" 'BEGIN { printf "%.2f", (p > 0 ? v / p : 0) }')
    linhas=$(linhas_te8errwa "$pasta.verifica.log")
    printf "| %s | %d x %d | %d | %s s / %s MB | %s s / %s MB | %s s / %s MB | %s | %s |\n" \
        "$nome" "$estab" "$empregados" $((estab * empregados)) "$tg" "$mg" "$tp" "$mp" "$tv" "$mv" "$razao" "$linhas"
    [[ $MANTER == 1 ]] || rm -rf "$pasta"
}

echo "Máquina: $(nproc) núcleos, $(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)," \
     "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "Verificação: gdzovi-lote verificar DADOS --ano 2005"
echo
echo "| declaração | estab. x empregados | empregados | geração (tempo / pico) | piso | verificação | verificação ÷ piso | linhas te8errwa |"
echo "|---|---|---|---|---|---|---|---|"
cenario 200k 20 10000
cenario 50k 5 10000
if [[ $UM_MILHAO == 1 ]]; then cenario 1m 100 10000; fi
cenario 100k-1-estab 1 100000
cenario 100k-100-estab 100 1000
cenario 100k-1-inscricao 100 1000 --um-estabelecimento
[[ $MANTER == 1 ]] && echo && echo "pastas mantidas em $TRABALHO"
exit 0
