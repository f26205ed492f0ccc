# Runs inside a virtual display (see scripts/bench): start-up, memory and CPU of MiniZol and of
# the bare Qt floor, several runs each, medians and ratios.
set -euo pipefail
program=$1 benchdir=$2
floor=$benchdir/floor
runs=${MINIZOL_BENCH_RUNS:-5}
cpu_runs=${MINIZOL_BENCH_CPU_RUNS:-3}
start_runs=${MINIZOL_BENCH_START_RUNS:-10}
window_seconds=10
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 0.5
xserver=$(pgrep -n Xvfb)

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# CPU time of every thread of a process so far, in microseconds (the scheduler's own count,
# much finer than the 10 ms clock ticks of /proc/<pid>/stat).
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d", ns / 1000 }'; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# Start to the first window mapped, MiniZol and the floor in turn, single runs interleaved so
# that the machine's drift falls on both alike: "program floor" per line.
startup_pairs() {
    for _ in $(seq "$start_runs"); do
        printf '%s %s\n' "$("$benchdir/map_timer" "$program")" "$(sleep 0.3; "$benchdir/map_timer" "$floor")"
        sleep 0.3
    done
}
fastest() { sort -n | head -1; }

rss_after_2s() {
    for _ in $(seq "$runs"); do
        "$@" >/dev/null 2>&1 &
        local pid=$!
        sleep 2
        rss_kb $pid
        kill $pid; wait $pid 2>/dev/null || true
    done | median
}

# cpu_ms <ctrl presses> <program...>: CPU of the program and of the X server over the window,
# after switching with Ctrl that many times. Prints "program_ms xserver_ms".
cpu_ms() {
    local presses=$1
    shift
    for _ in $(seq "$cpu_runs"); do
        "$@" >/dev/null 2>&1 &
        local pid=$!
        sleep 2
        local window
        window=$(xdotool search --sync --onlyvisible --pid $pid 2>/dev/null | head -n 1)
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        for _ in $(seq "$presses"); do xdotool key ctrl; sleep 0.3; done
        sleep 1
        local p0 x0 p1 x1
        p0=$(cpu_us $pid); x0=$(cpu_us "$xserver")
        sleep $window_seconds
        p1=$(cpu_us $pid); x1=$(cpu_us "$xserver")
        awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) 'BEGIN { printf "%.1f %.1f\n", p / 1000, x / 1000 }'
        kill $pid; wait $pid 2>/dev/null || true
    done
}



ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "-"; else printf "%.2f", a / b }'; }

pairs=$(startup_pairs)
start_p=$(echo "$pairs" | awk '{ print $1 }' | median); start_f=$(echo "$pairs" | awk '{ print $2 }' | median)
fast_p=$(echo "$pairs" | awk '{ print $1 }' | fastest); fast_f=$(echo "$pairs" | awk '{ print $2 }' | fastest)
rss_p=$(rss_after_2s "$program"); rss_f=$(rss_after_2s "$floor")
euro=$(cpu_ms 0 "$program"); memo=$(cpu_ms 3 "$program"); ruler=$(cpu_ms 2 "$program")
floor_idle=$(cpu_ms 0 "$floor"); floor_refresh=$(cpu_ms 0 "$floor" --refresh)

m() { echo "$1" | awk '{ print $'"$2"' }' | median; }

printf '\n%-44s %10s %10s %7s\n' "Measure (median)" "MiniZol" "floor" "ratio"
printf '%-44s %10s %10s %7s\n' "Start to first window mapped (ms)" "$start_p" "$start_f" "$(ratio "$start_p" "$start_f")"
printf '%-44s %10s %10s %7s\n' "  the fastest run of each (ms)" "$fast_p" "$fast_f" "$(ratio "$fast_p" "$fast_f")"
printf '%-44s %10s %10s %7s\n' "Resident memory 2 s after start (KiB)" "$rss_p" "$rss_f" "$(ratio "$rss_p" "$rss_f")"
printf '%-44s %10s %10s %7s\n' "CPU over ${window_seconds} s, EuroZol idle (ms)" "$(m "$euro" 1)" "$(m "$floor_idle" 1)" ""
printf '%-44s %10s %10s %7s\n' "CPU over ${window_seconds} s, ReglaZol idle (ms)" "$(m "$ruler" 1)" "$(m "$floor_idle" 1)" ""
printf '%-44s %10s %10s %7s\n' "CPU over ${window_seconds} s, MemoZol shown (ms)" "$(m "$memo" 1)" "$(m "$floor_refresh" 1)" "$(ratio "$(m "$memo" 1)" "$(m "$floor_refresh" 1)")"
printf '%-44s %10s %10s %7s\n' "X server CPU, MemoZol vs refreshing floor (ms)" "$(m "$memo" 2)" "$(m "$floor_refresh" 2)" "$(ratio "$(m "$memo" 2)" "$(m "$floor_refresh" 2)")"
echo
echo "Runs: $start_runs single start-ups of each, interleaved; $runs for memory, $cpu_runs for CPU (all"
echo "threads, scheduler time)."
