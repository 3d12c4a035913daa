# Shared set-up for ./run and ./test: installs what is missing (as root),
# then configures and builds. Sourced, not run.
set -euo pipefail

# fonts-liberation2 gives the windows' "System" font (Liberation Sans), with
# whose metrics every fixed text fits its control; x11-utils (xprop) lets the
# X11 tests read back what the window manager is told; openbox is the window
# manager those tests run under.
VELLORAN_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation2 xvfb xauth
                   x11-utils openbox libbenchmark-dev)

velloran_install_missing() {
    local missing=()
    local p
    for p in "${VELLORAN_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing Debian packages: ${missing[*]}"
        echo "Install them as root: apt-get install --no-install-recommends ${missing[*]}"
        exit 1
    fi
}

# velloran_build <build type> <build dir> [extra cmake args...]
# With VELLORAN_QUIET=1 the build's progress goes to <build dir>/build.log;
# a build that takes more than a moment says so in one line, and the log's
# end is shown only when the build fails.
velloran_build() {
    local type=$1 dir=$2
    shift 2
    if [ "${VELLORAN_QUIET:-0}" != 1 ]; then
        velloran_build_steps "$type" "$dir" "$@"
        return
    fi
    mkdir -p "$dir"
    velloran_build_steps "$type" "$dir" "$@" >"$dir/build.log" 2>&1 &
    local build=$! waited=0
    while kill -0 "$build" 2>/dev/null && [ $waited -lt 10 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    kill -0 "$build" 2>/dev/null && echo "Building Velloran (log: $dir/build.log)..."
    if ! wait "$build"; then
        tail -n 40 "$dir/build.log"
        echo "The build failed; its full log is $dir/build.log"
        exit 1
    fi
}

velloran_build_steps() {
    local type=$1 dir=$2
    shift 2
    local jobs
    jobs=$(nproc 2>/dev/null || echo 2)
    # A configure that failed half-way leaves a cache but no Makefile.
    if [ ! -f "$dir/CMakeCache.txt" ] || [ ! -f "$dir/Makefile" ]; then
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    elif [ $# -gt 0 ]; then
        cmake "$dir" "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" ${VELLORAN_TARGET:+--target "$VELLORAN_TARGET"}
}
