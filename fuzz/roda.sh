#!/bin/bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for the given seconds
# (default 60). Exits non-zero on a finding.
set -euo pipefail
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
SEGUNDOS=${1:-60}
CC=clang CXX=clang++ cmake -S "$RAIZ" -B "$RAIZ/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGDZOVI_FUZZ=ON -DGDZOVI_GUI=OFF -DGDZOVI_TESTES=OFF > /dev/null
ninja -C "$RAIZ/build-fuzz" fuzz_copia fuzz_analise fuzz_restaura
mkdir -p "$RAIZ/build-fuzz/corpus"
"$RAIZ/build-fuzz/bin/fuzz_copia" -max_total_time="$SEGUNDOS" -max_len=70000 -timeout=10 \
    "$RAIZ/build-fuzz/corpus" "$RAIZ/fuzz/corpus"
# Each analysis creates its work tables: a folder in memory keeps that from waiting on the disk.
mkdir -p "$RAIZ/build-fuzz/corpus-analise"
TMPDIR=$( [[ -d /dev/shm ]] && echo /dev/shm || echo "${TMPDIR:-/tmp}" ) \
    "$RAIZ/build-fuzz/bin/fuzz_analise" -max_total_time="$SEGUNDOS" -max_len=4000 -timeout=10 \
    "$RAIZ/build-fuzz/corpus-analise" "$RAIZ/fuzz/corpus-analise"
# Each restore checks and swaps SQLite tables: its folders in memory too.
mkdir -p "$RAIZ/build-fuzz/corpus-restaura"
TMPDIR=$( [[ -d /dev/shm ]] && echo /dev/shm || echo "${TMPDIR:-/tmp}" ) \
    "$RAIZ/build-fuzz/bin/fuzz_restaura" -max_total_time="$SEGUNDOS" -max_len=70000 -timeout=10 \
    "$RAIZ/build-fuzz/corpus-restaura" "$RAIZ/fuzz/corpus-restaura" "$RAIZ/fuzz/corpus"
