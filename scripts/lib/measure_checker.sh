# Measures minizol-comprobar on a generated list of 10^6 mixed numbers (bench_numbers.py) beside
# python-stdnum's is_valid over the same numbers: numbers per second on one core (CPU time, so
# that other work on the machine does not count), resident memory at 10^6 and at 10^7 numbers
# (the list ten times through a pipe), and start to exit on an empty input. Arguments: the
# checker, and bench/run_timer of a build with the benchmarks (by default the one beside it).
set -euo pipefail
checker=$1
timer=${2:-$(dirname "$checker")/../bench/run_timer}
[ -x "$timer" ] || { echo "no run timer at $timer: build with -DMINIZOL_BUILD_BENCHMARKS=ON" >&2; exit 1; }
runs=${MINIZOL_BENCH_RUNS:-9}
python=/usr/bin/python3  # Debian's, which python3-stdnum is installed for
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$python" "$(dirname "$0")/bench_numbers.py" 1000000 --kinds >"$work/kinds.tsv"
cut -f2 "$work/kinds.tsv" >"$work/numbers.txt"
count=$(wc -l <"$work/numbers.txt")

# The median CPU seconds (user and system) of the checked list, the report as CSV to /dev/null;
# then one run more for its summary.
cpu=$("$timer" --cpu "$runs" "$checker" --csv "$work/numbers.txt" | awk '{ print $1 / 1000 }')
"$checker" --csv "$work/numbers.txt" >/dev/null 2>"$work/summary" || [ $? -eq 1 ]
right=$(grep -o '[0-9]* correctos' "$work/summary" | cut -d' ' -f1)

# The check alone over the list held in memory, as python-stdnum's loop is timed: no reading, no
# report. Then python-stdnum itself, median of three runs of each of its loops.
read -r alone alone_right < <("$(dirname "$timer")/check_in_memory" "$work/numbers.txt" "$runs")
"$python" "$(dirname "$0")/stdnum_validate.py" "$work/kinds.tsv" 3 >"$work/python"
read -r _ python_right python_told python_any_right python_any <"$work/python"

rss_kib() {
    /usr/bin/time -f '%M' -o "$work/rss" "$checker" --csv >/dev/null 2>&1 || true
    tail -1 "$work/rss"
}
rss6=$(rss_kib <"$work/numbers.txt")
rss7=$(for _ in $(seq 10); do cat "$work/numbers.txt"; done | rss_kib)

# Start to exit: the median of 200 runs spawned by bench/run_timer, no shell's fork in each;
# beside /bin/true timed the same way, the least a dynamically linked program takes.
start_ms=$("$timer" 200 "$checker")
true_ms=$("$timer" 200 /bin/true)

per_second() { awk -v n="$count" -v s="$1" 'BEGIN { printf "%.0f", n / s }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
rate=$(per_second "$cpu")
alone_rate=$(per_second "$alone")
told_rate=$(per_second "$python_told")
any_rate=$(per_second "$python_any")
row() { printf '%-46s %10s %10s %8s %8s\n' "$@"; }
echo
row "minizol-comprobar and python-stdnum (medians)" "comprobar" "python" "ratio" "alone"
row "numbers per second, one core (CPU time)" "" "" "" ""
row "  minizol-comprobar, list file to CSV" "$rate" "" "" ""
row "  its check alone, the list in memory" "$alone_rate" "" "" ""
row "  python-stdnum told each number's kind" "" "$told_rate" "$(ratio "$rate" "$told_rate")" \
    "$(ratio "$alone_rate" "$told_rate")"
row "  python-stdnum trying each module in turn" "" "$any_rate" "$(ratio "$rate" "$any_rate")" \
    "$(ratio "$alone_rate" "$any_rate")"
printf '%-46s %10s %10s\n' "right numbers of $count (told; in turn)" "$right" \
    "$python_right; $python_any_right"
[ "$alone_right" = "$right" ] || echo "the check alone found $alone_right right, the program $right" >&2
printf '%-46s %10s\n' "resident memory, 10^6 numbers (KiB)" "$rss6"
printf '%-46s %10s\n' "resident memory, 10^7 numbers (KiB)" "$rss7"
printf '%-46s %10s %10s\n' "start to exit, empty input (ms; /bin/true)" "$start_ms" "$true_ms"
echo
echo "Runs: $runs of the checker and of its check alone, three of each python-stdnum loop, over the"
echo "same list. The checker writes CSV to /dev/null. \"ratio\" compares the whole program with the"
echo "Python loop; \"alone\" compares like with like, a loop over numbers in memory."
