#!/bin/bash
# Backup and restore of the declaration tables against gzip on the same files, in the
# same run: "gdzovi-lote copia" (zlib level 1) against "gzip -1", "gdzovi-lote restaura"
# against "gzip -d" and against the floor of a checked, durable restore: "gzip -d" of each
# table, SQLite's integrity check of it and "sync" of the files. Usage:
# bench/copia.sh BUILD_DIR [MEGABYTES]   (default 100; needs gdzovi-lote, gdzovi-gera and the
# data folder built in BUILD_DIR, and the sqlite3 command)
set -euo pipefail
BUILD=$(cd "${1:?uso: bench/copia.sh BUILD_DIR [MEGABYTES]}" && pwd)
LOTE=$BUILD/bin/gdzovi-lote
MB=${2:-100}
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

cp -r "$BUILD/bin/dados" "$T/dados"
# About 680 bytes of table file per employee.
"$BUILD/bin/gdzovi-gera" "$T/dados" 100 $((MB * 1540 / 100))
ls -l "$T"/dados/BD8*.DB | awk '{s += $5} END {printf "table files: %.1f MB\n", s / 1048576}'
sync

# Best of five runs, as wall-clock seconds and as processor seconds (user + system):
# on a shared machine the processor time is the steadier figure.
mede() {
    local melhorReal="" melhorCpu=""
    for _ in 1 2 3 4 5; do
        /usr/bin/time -o "$T/tempo" -f "%e %U %S" "$@" > /dev/null 2>&1
        local r; r=$(tail -1 "$T/tempo")
        local real cpu
        real=$(echo "$r" | awk '{print $1}'); cpu=$(echo "$r" | awk '{print $2 + $3}')
        if [ -z "$melhorReal" ] || [ "$(echo "$real < $melhorReal" | bc)" = 1 ]; then melhorReal=$real; fi
        if [ -z "$melhorCpu" ] || [ "$(echo "$cpu < $melhorCpu" | bc)" = 1 ]; then melhorCpu=$cpu; fi
    done
    echo "$melhorReal $melhorCpu"
}

copia() { "$LOTE" copia "$T/dados" "$T/z.bkp"; }
gzip1() { for f in "$T"/dados/BD8*.DB; do gzip -1 -c "$f" > "$T/$(basename "$f").gz"; done; }
restaura() { "$LOTE" restaura "$T/z.bkp" "$T/dados"; }
gunzip1() { for f in "$T"/*.DB.gz; do gzip -d -c "$f" > "${f%.gz}"; done; }
conferido() {
    gunzip1
    for f in "$T"/*.DB; do sqlite3 "$f" "PRAGMA integrity_check" > /dev/null; done
    sync "$T"/*.DB
}
export -f copia gzip1 restaura gunzip1 conferido
export T LOTE

read -r cr cc <<< "$(mede bash -c copia)"
read -r gr gc <<< "$(mede bash -c gzip1)"
read -r rr rc <<< "$(mede bash -c restaura)"
read -r dr dc <<< "$(mede bash -c gunzip1)"
read -r kr kc <<< "$(mede bash -c conferido)"
printf "archive %.1f MB, gzip -1 %.1f MB\n" "$(stat -c %s "$T/z.bkp" | awk '{print $1/1048576}')" \
    "$(cat "$T"/*.DB.gz | wc -c | awk '{print $1/1048576}')"
razao() { echo "$1 / $2" | bc -l; }
printf "backup   wall %6.2f s (gzip -1 %6.2f s, ratio %.2f)   cpu %6.2f s (gzip -1 %6.2f s, ratio %.2f)\n" \
    "$cr" "$gr" "$(razao "$cr" "$gr")" "$cc" "$gc" "$(razao "$cc" "$gc")"
printf "restore  wall %6.2f s (gzip -d %6.2f s, ratio %.2f)   cpu %6.2f s (gzip -d %6.2f s, ratio %.2f)\n" \
    "$rr" "$dr" "$(razao "$rr" "$dr")" "$rc" "$dc" "$(razao "$rc" "$dc")"
printf "restore  wall %6.2f s (floor %6.2f s, ratio %.2f)   cpu %6.2f s (floor %6.2f s, ratio %.2f)\n" \
    "$rr" "$kr" "$(razao "$rr" "$kr")" "$rc" "$kc" "$(razao "$rc" "$kc")"
echo "goal: ratio <= 1.3 (backup against gzip -1, restore against the floor)"
