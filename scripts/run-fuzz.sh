#!/usr/bin/env bash
# Runs every fuzz target for a set time, starting from the seed corpus in fuzz/corpus/.
# New inputs go to the build folder, never into the repository; an input that crashes a
# target or breaks one of its properties is kept there as artifacts/<target>-crash-...
# and makes the script fail. Usage: run-fuzz.sh BUILD_DIR SECONDS [TARGET...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in "$build"/bin/fuzz_*; do targets+=("${f##*/fuzz_}"); done
fi
mkdir -p "$build/fuzz-corpus" "$build/artifacts"
failed=()
for t in "${targets[@]}"; do
    corpus="$build/fuzz-corpus/$t"
    mkdir -p "$corpus"
    echo "fuzz_$t: ${seconds}s"
    # Leaks are looked for by the sanitizer test run; here the time goes to new inputs.
    if ! "$build/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
            "$corpus" "$here/fuzz/corpus/$t" > "$build/artifacts/$t.log" 2>&1; then
        failed+=("$t")
        tail -n 40 "$build/artifacts/$t.log"
    fi
    grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$build/artifacts/$t.log" || true
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs in $build/artifacts)"
    exit 1
fi
echo "fuzz: ${#targets[@]} targets, no finding"
