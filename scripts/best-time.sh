# Sourced by the speed scripts: the shortest wall-clock and processor (user + system) time of each
# named kind of run, in milliseconds, in the arrays wall and cpu. Needs $work, a scratch folder.
declare -A wall cpu
# timed NAME COMMAND...: runs COMMAND once (its output in $work/out, its errors in $work/err, its
# exit status in $timed_status) and keeps the time when it is NAME's shortest.
timed() {
  local name=$1 elapsed user system w c
  shift
  local TIMEFORMAT='%3R %3U %3S'
  timed_status=0
  { time "$@" >"$work/out" 2>"$work/err"; } 2>"$work/time" || timed_status=$?
  read -r elapsed user system <"$work/time"
  w=$(awk -v e="$elapsed" 'BEGIN { printf "%d", e * 1000 + 0.5 }')
  c=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 + 0.5 }')
  if [ -z "${wall[$name]:-}" ] || [ "$w" -lt "${wall[$name]}" ]; then wall[$name]=$w; fi
  if [ -z "${cpu[$name]:-}" ] || [ "$c" -lt "${cpu[$name]}" ]; then cpu[$name]=$c; fi
}
