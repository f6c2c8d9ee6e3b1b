#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UBSan) into build-fuzz and runs
# them, one after the other, each on its seed corpus from tests/fuzz/corpus/<target>.
#   scripts/fuzz.sh --smoke            every target for about 30 seconds (CI)
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#                                      a campaign: each named target (default: all) for
#                                      SECONDS (default 600), growing the corpus kept in
#                                      build-fuzz/corpus/<target>
# A finding stops the script with its input in build-fuzz/findings/<target>/; replay it with
# build-fuzz/tests/fuzz/fuzz_<target> <file>, then keep it in tests/fuzz/regressions/<target>/
# once fixed. Each run's closing statistics are kept in build-fuzz/logs/<target>.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=600
targets=()
for arg in "$@"; do
    case "$arg" in
        --smoke) seconds=30 ;;
        [0-9]*) seconds=$arg ;;
        *) targets+=("$arg") ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=(record console reader formats dialogue)

bash "$root/scripts/install-deps.sh" >&2
dir="$root/build-fuzz"
cmake -S "$root" -B "$dir" -DMOLVANE_WERROR=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_FUZZ=ON -DMOLVANE_TESTS=OFF \
      -DMOLVANE_BENCH=OFF >/dev/null
cmake --build "$dir" -j2 --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in "${targets[@]}"; do
    corpus="$dir/corpus/$t"
    findings="$dir/findings/$t"
    mkdir -p "$corpus" "$findings" "$dir/logs"
    dict=()
    [ -f "$root/tests/fuzz/$t.dict" ] && dict=(-dict="$root/tests/fuzz/$t.dict")
    echo "== fuzz_$t for ${seconds}s" >&2
    # Corpus paths are absolute: the dialogue target works in a directory of its own.
    if "$dir/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" \
            "$corpus" "$root/tests/fuzz/corpus/$t" >"$dir/logs/$t.log" 2>&1; then
        grep -E '^(#[0-9]+.*DONE|Done|stat::number_of_executed_units|stat::peak_rss_mb)' \
            "$dir/logs/$t.log" | tail -n 4 >&2 || true
    else
        status=1
        echo "fuzz_$t: FINDING (see $dir/logs/$t.log and $findings/)" >&2
        tail -n 60 "$dir/logs/$t.log" >&2
    fi
done
exit $status
