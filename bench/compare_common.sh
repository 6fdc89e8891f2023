# Shared by the whole-command comparisons: a generated photo, a timed runner and the medians.
# Source it, then `start_comparison NAME "$@"`; run() appends "name wall user sys maxKB" to
# $DIR/times.

start_comparison() { # name, TOOL, [RUNS], [DIR]: sets TOOL, RUNS, DIR, LIMIT, IN; makes the photo
    TOOL=${2:?usage: compare_$1.sh TOOL [RUNS] [DIR]   (DIR defaults to /dev/shm)}
    RUNS=${3:-5}
    DIR=${4:-/dev/shm}/lvbench-$1
    LIMIT=120
    mkdir -p "$DIR"
    trap 'rm -rf "$DIR"' EXIT
    IN=$DIR/photo.jpg
    make_photo "$IN"
    : > "$DIR/times"
}

make_photo() { # path: a 4000 x 3000 noisy gradient JPEG, the same for every comparison
    timeout "$LIMIT" convert -size 4000x3000 gradient:orange-navy -attenuate 0.4 +noise Gaussian -quality 90 "$1"
}

run() { # name, command...
    name=$1; shift
    /usr/bin/time -f "$name %e %U %S %M" -a -o "$DIR/times" timeout "$LIMIT" "$@" >/dev/null 2>&1 ||
        echo "$name failed or timed out" >&2
}

# awk functions for the report: median of a space-separated list.
MEDIAN_AWK='
    function median(list,   n, a, i, j, t) {
        n = split(list, a, " ")
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    { wall[$1] = wall[$1] " " $2; cpu[$1] = cpu[$1] " " ($3 + $4); mem[$1] = mem[$1] " " $5 }'
