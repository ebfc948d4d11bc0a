#!/usr/bin/env bash
# Builds the fuzz targets of the picture readers (our own BMP, TGA and icons, and PNG,
# JPEG and TIFF through their libraries) and of the program's own files (structures,
# brush forms, palettes, script sources and its 8-bit icons) with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a bounded time on a seed corpus made
# from the sample files, under a memory limit: a single allocation of 512 MB or more
# (no input is larger than 64 KB) or a resident size past 2 GB is a finding. Exits 0
# when nothing was found; a finding is copied to tests/data/codecs/found/ (replayed by
# the codec tests) and fails the run.
#   FUZZ_SECONDS  time per target (default 20; the targets run side by side)
#   FUZZ_BUILD    build folder (default build/fuzz)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${FUZZ_BUILD:-$ROOT/build/fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-20}
TARGETS=(bmp tga ico png jpeg tiff struc df pal cod icon8)
for t in "${TARGETS[@]}"; do mkdir -p "$OUT/obj" "$OUT/seed/$t" "$OUT/corpus/$t"; done

CXX=${FUZZ_CXX:-clang++}
FLAGS=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I"$ROOT"
       -fsanitize=address,undefined -fno-sanitize-recover=all)
LIBS=(-lpng -ljpeg -ltiff -lz)

echo "fuzz: building in $OUT"
pids=()
objs=()
for src in "$ROOT"/toolkit/codecs/*.cpp "$ROOT"/documents/file_layouts.cpp; do
  obj="$OUT/obj/$(basename "${src%.cpp}").o"
  objs+=("$obj")
  "$CXX" "${FLAGS[@]}" -fsanitize=fuzzer-no-link -c "$src" -o "$obj" & pids+=($!)
done
for p in "${pids[@]}"; do wait "$p"; done
pids=()
for t in "${TARGETS[@]}"; do
  "$CXX" "${FLAGS[@]}" -fsanitize=fuzzer "$ROOT/fuzz/fuzz_$t.cpp" "${objs[@]}" "${LIBS[@]}" \
    -o "$OUT/fuzz_$t" & pids+=($!)
done
"$CXX" "${FLAGS[@]}" "$ROOT/fuzz/seeds.cpp" "${objs[@]}" "${LIBS[@]}" -o "$OUT/seeds" & pids+=($!)
"$CXX" "${FLAGS[@]}" "$ROOT/fuzz/own_seeds.cpp" "${objs[@]}" "${LIBS[@]}" -o "$OUT/own_seeds" & pids+=($!)
for p in "${pids[@]}"; do wait "$p"; done

"$OUT/seeds" "$OUT/seed"
"$OUT/own_seeds" "$OUT/seed"
# Earlier findings seed their target too.
FOUND="$ROOT/tests/data/codecs/found"
for t in "${TARGETS[@]}"; do
  for f in "$FOUND/$t"-*; do [ -f "$f" ] && cp "$f" "$OUT/seed/$t/"; done
done

echo "fuzz: running ${TARGETS[*]} for ${SECONDS_EACH}s each"
pids=()
for t in "${TARGETS[@]}"; do
  rm -f "$OUT/$t"-crash-* "$OUT/$t"-leak-* "$OUT/$t"-timeout-* "$OUT/$t"-oom-*
  "$OUT/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -max_len=65536 -print_final_stats=0 -artifact_prefix="$OUT/$t-" \
    "$OUT/corpus/$t" "$OUT/seed/$t" >"$OUT/$t.log" 2>&1 & pids+=($!)
done
status=0
for i in "${!TARGETS[@]}"; do
  t=${TARGETS[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz_$t: $(grep -Eo 'cov: [0-9]+' "$OUT/$t.log" | tail -1), no finding"
  else
    status=1
    echo "fuzz_$t: FINDING (log: $OUT/$t.log)"
    tail -n 30 "$OUT/$t.log"
    mkdir -p "$FOUND"
    for a in "$OUT/$t"-crash-* "$OUT/$t"-leak-* "$OUT/$t"-timeout-* "$OUT/$t"-oom-*; do
      [ -f "$a" ] && cp "$a" "$FOUND/" && echo "  kept $FOUND/$(basename "$a")"
    done
  fi
done
exit $status
