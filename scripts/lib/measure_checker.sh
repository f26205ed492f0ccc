# Measures minizol-comprobar on a generated list of 10^6 mixed numbers (bench_numbers.py) beside
# python-stdnum's is_valid over the same numbers: numbers per second on one core (CPU time, so
# that other work on the machine does not count), resident memory at 10^6 and at 10^7 numbers
# (the list ten times through a pipe), and start to exit on an empty input. Arguments: the
# checker, and bench/run_timer of a build with the benchmarks (by default the one beside it).
set -euo pipefail
checker=$1
timer=${2:-$(dirname "$checker")/../bench/run_timer}
[ -x "$timer" ] || { echo "no run timer at $timer: build with -DMINIZOL_BUILD_BENCHMARKS=ON" >&2; exit 1; }
rounds=${MINIZOL_BENCH_ROUNDS:-5}
python=/usr/bin/python3  # Debian's, which python3-stdnum is installed for
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$python" "$(dirname "$0")/bench_numbers.py" 1000000 --kinds >"$work/kinds.tsv"
cut -f2 "$work/kinds.tsv" >"$work/numbers.txt"
count=$(wc -l <"$work/numbers.txt")

# Rounds, each timing in turn the checker (the report as CSV to /dev/null), its check alone over
# the list held in memory (no reading, no report: as python-stdnum's loop is timed) and both
# python-stdnum loops, so that each ratio compares runs made close together: this machine's speed
# drifts from one minute to the next. CPU seconds, user and system.
for _ in $(seq "$rounds"); do
    "$timer" --cpu 5 "$checker" --csv "$work/numbers.txt" | awk '{ print $1 / 1000 }' >>"$work/cpu"
    "$(dirname "$timer")/check_in_memory" "$work/numbers.txt" 5 >>"$work/alone"
    "$python" "$(dirname "$0")/stdnum_validate.py" "$work/kinds.tsv" told >>"$work/told"
    "$python" "$(dirname "$0")/stdnum_validate.py" "$work/kinds.tsv" any >>"$work/any"
done
"$checker" --csv "$work/numbers.txt" >/dev/null 2>"$work/summary" || [ $? -eq 1 ]
right=$(grep -o '[0-9]* correctos' "$work/summary" | cut -d' ' -f1)
alone_right=$(head -1 "$work/alone" | cut -d' ' -f2)
python_right=$(head -1 "$work/told" | cut -d' ' -f1)
python_any_right=$(head -1 "$work/any" | cut -d' ' -f1)
paste -d' ' "$work/cpu" "$work/alone" "$work/told" "$work/any" >"$work/rounds"

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

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Column N of the rounds (seconds: 1 the checker, 2 its check alone, 5 told, 7 in turn) as numbers
# a second.
rate() { awk -v n="$count" -v c="$1" '{ printf "%.0f\n", n / $c }' "$work/rounds" | median; }
# The median over the rounds of column A's speed over column B's.
ratio() { awk -v a="$1" -v b="$2" '{ printf "%.2f\n", $b / $a }' "$work/rounds" | median |
    awk '{ printf "%.1f", $1 }'; }
row() { printf '%-46s %10s %10s %8s %8s\n' "$@"; }
echo
row "minizol-comprobar and python-stdnum (medians)" "comprobar" "python" "ratio" "alone"
row "numbers per second, one core (CPU time)" "" "" "" ""
row "  minizol-comprobar, list file to CSV" "$(rate 1)" "" "" ""
row "  its check alone, the list in memory" "$(rate 2)" "" "" ""
row "  python-stdnum told each number's kind" "" "$(rate 5)" "$(ratio 1 5)" "$(ratio 2 5)"
row "  python-stdnum trying each module in turn" "" "$(rate 7)" "$(ratio 1 7)" "$(ratio 2 7)"
printf '%-46s %10s %10s\n' "right numbers of $count (told; in turn)" "$right" \
    "$python_right; $python_any_right"
[ "$alone_right" = "$right" ] || echo "the check alone found $alone_right right, the program $right" >&2
printf '%-46s %10s\n' "resident memory, 10^6 numbers (KiB)" "$rss6"
printf '%-46s %10s\n' "resident memory, 10^7 numbers (KiB)" "$rss7"
printf '%-46s %10s %10s\n' "start to exit, empty input (ms; /bin/true)" "$start_ms" "$true_ms"
echo
echo "$rounds rounds over the same list, each timing the checker (median of 5 runs, CSV to /dev/null),"
echo "its check alone (median of 5) and each python-stdnum loop once; ratios are medians of the rounds'"
echo "own. \"ratio\" compares the whole program with the Python loop; \"alone\" compares like with"
echo "like, a loop over numbers in memory."
