#!/usr/bin/env bash
# Times the structure analysis of declaration files written by the writer
# against its floor (the same establishment and employee rows inserted into the
# same table definitions with one prepared statement per table in one
# transaction), with wall time, processor time (user + system) and peak resident
# memory, and prints a Markdown table.
#
#   bench/analise.sh BUILD_DIR [--manter] [--so-200k]
#
#   --manter   keep the data folders and the files
#   --so-200k  only the 200,000-employee declaration
#   VEZES=n    (environment) floor and analysis alternate n times; 3 by default
#
# Each declaration is generated (gdzovi-gera) into a fresh copy of
# BUILD_DIR/bin/dados in a temporary folder and written by `gdzovi-lote gravar`
# to a folder standing for drive A:; the analysis is `gdzovi-lote analisar`.
set -euo pipefail

if [[ $# -lt 1 || ! -d "$1/bin" ]]; then
    echo "uso: $0 BUILD_DIR [--manter] [--so-200k]" >&2
    exit 2
fi
BIN=$(cd "$1/bin" && pwd)
shift
MANTER=0
SO200K=0
for a in "$@"; do
    case "$a" in
        --manter) MANTER=1 ;;
        --so-200k) SO200K=1 ;;
        *) echo "opção desconhecida: $a" >&2; exit 2 ;;
    esac
done

for p in gdzovi-gera gdzovi-piso-analise gdzovi-lote; do
    [[ -x "$BIN/$p" ]] || { echo "falta $BIN/$p: construa os alvos gdzovi-gera gdzovi-piso-analise gdzovi-lote" >&2; exit 2; }
done
[[ -d "$BIN/dados" ]] || { echo "falta a pasta de dados $BIN/dados (alvo dados)" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "falta /usr/bin/time (pacote time)" >&2; exit 2; }
USO=$("$BIN/gdzovi-lote" --help 2>&1 || true)
[[ $USO == *" gravar "* ]] || { echo "gdzovi-lote não tem o comando gravar" >&2; exit 2; }

TRABALHO=$(mktemp -d "${TMPDIR:-/tmp}/gdzovi-bench-analise-XXXXXX")
limpa() { [[ $MANTER == 1 ]] || rm -rf "$TRABALHO"; }
trap limpa EXIT

# Runs a command under /usr/bin/time -v; prints "wall_s cpu_s peak_MB" (cpu = user + system).
# The analysis exits with its outcome: 0 and 8 are clean files, anything else fails the benchmark.
mede_uma() {
    local log=$1
    shift
    local rc=0
    /usr/bin/time -v "$@" >"$log" 2>&1 || rc=$?
    if [[ $rc -ne 0 && $rc -ne 8 ]]; then
        echo "falhou ($rc): $*" >&2
        tail -8 "$log" >&2
        exit 1
    fi
    awk -F': ' '/Elapsed \(wall clock\)/ {
                    n = split($2, t, ":"); s = 0
                    for (i = 1; i <= n; i++) s = s * 60 + t[i]
                    tempo = s }
                /User time \(seconds\)|System time \(seconds\)/ { cpu += $2 }
                /Maximum resident set size/ { mb = $2 / 1024 }
                END { printf "%.2f %.2f %.0f", tempo, cpu, mb }' "$log"
}

# Floor and analysis alternate VEZES times (3 by default): the machine is shared, and the load
# then weighs on both alike. Each keeps its best wall and CPU time and its largest peak.
# Prints "floor_wall floor_cpu floor_mb run_wall run_cpu run_mb".
VEZES=${VEZES:-3}
alterna() {
    local logPiso=$1 logRun=$2
    shift 2
    local piso=() run=() i
    while [[ $1 != -- ]]; do piso+=("$1"); shift; done
    shift
    run=("$@")
    for i in $(seq "$VEZES"); do
        echo "p $(mede_uma "$logPiso.$i" "${piso[@]}")"
        echo "r $(mede_uma "$logRun.$i" "${run[@]}")"
    done | awk '{ k = $1; if (!(k in p) || $2 < p[k]) p[k] = $2; if (!(k in c) || $3 < c[k]) c[k] = $3
                  if ($4 > m[k]) m[k] = $4 }
                END { printf "%.2f %.2f %d %.2f %.2f %d", p["p"], c["p"], m["p"], p["r"], c["r"], m["r"] }'
}

cenario() {
    local nome=$1 estab=$2 empregados=$3
    shift 3
    local pasta="$TRABALHO/$nome" unidade="$TRABALHO/$nome-a"
    mkdir -p "$pasta" "$unidade"
    cp "$BIN"/dados/* "$pasta"/
    "$BIN/gdzovi-gera" "$pasta" "$estab" "$empregados" "$@" >"$pasta.gera.log" 2>&1
    GDZOVI_UNIDADE_A="$unidade" "$BIN/gdzovi-lote" gravar "$pasta" --unidade A --data 15012006 --sim </dev/null >"$pasta.grava.log" 2>&1 || {
        echo "a gravação falhou" >&2; tail -5 "$pasta.grava.log" >&2; exit 1; }
    local arquivo
    arquivo=$(find "$unidade" -maxdepth 1 -type f -iname 'zovi2005*' | head -1)
    local mb_arquivo
    mb_arquivo=$(awk -v b="$(stat -c %s "$arquivo")" 'BEGIN { printf "%.0f", b / 1048576 }')
    local r tp cp mp ta ca ma
    r=$(alterna "$pasta.piso.log" "$pasta.analise.log" "$BIN/gdzovi-piso-analise" "$arquivo" "$pasta" -- \
        "$BIN/gdzovi-lote" analisar "$arquivo" "$pasta")
    read -r tp cp mp ta ca ma <<<"$r"
    local razao
    razao=$(awk -v a="$ta" -v p="$tp" -v ca="$ca" -v cp="$cp" \
        'BEGIN { printf "%.2f / %.2f", (p > 0 ? a / p : 0), (cp > 0 ? ca / cp : 0) }')
    local resultado
    resultado=$(grep -m1 '^Resultado' "$pasta.analise.log.1" | cut -d' ' -f2)
    printf "| %s | %d x %d | %d | %s MB | %s / %s s / %s MB | %s / %s s / %s MB | %s | %s |\n" \
        "$nome" "$estab" "$empregados" $((estab * empregados)) "$mb_arquivo" "$tp" "$cp" "$mp" "$ta" "$ca" "$ma" \
        "$razao" "$resultado"
    [[ $MANTER == 1 ]] || rm -rf "$pasta" "$unidade"
}

echo "Máquina: $(nproc) núcleos, $(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)," \
     "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo
echo "Tempos: parede / CPU (usuário + sistema), o melhor de $VEZES execuções alternadas com o piso; pico de memória residente."
echo
echo "| declaração | estab. x empregados | empregados | arquivo | piso | análise | análise ÷ piso (parede / CPU) | resultado |"
echo "|---|---|---|---|---|---|---|---|"
cenario 200k 20 10000
if [[ $SO200K == 0 ]]; then
    cenario 50k 5 10000
    cenario 100k-1-estab 1 100000
fi
[[ $MANTER == 1 ]] && echo && echo "pastas mantidas em $TRABALHO"
exit 0
