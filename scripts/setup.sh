# Shared set-up for ./run and ./test: installs what is missing (as root),
# then configures and builds. Sourced, not run.
set -euo pipefail

# fonts-liberation2 gives the windows' "System" font (Liberation Sans), with
# whose metrics every fixed text fits its control; x11-utils (xprop) lets the
# X11 tests read back what the window manager is told; openbox is the window
# manager those tests run under; ninja-build finds that nothing needs
# rebuilding in a few milliseconds, where make takes a second or more, so
# that ./run starts the program at once.
VELLORAN_PACKAGES=(cmake make ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation2 xvfb
                   xauth x11-utils openbox libbenchmark-dev)

velloran_install_missing() {
    # One query for all: one per package would cost ./run a tenth of a second.
    local installed=" " missing=()
    local name status p
    while read -r name status; do
        [ "$status" = "install ok installed" ] && installed+="$name "
    done < <(dpkg-query -W -f='${Package} ${Status}\n' "${VELLORAN_PACKAGES[@]}" 2>/dev/null || true)
    for p in "${VELLORAN_PACKAGES[@]}"; do
        [[ "$installed" == *" $p "* ]] || missing+=("$p")
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
    local build=$!
    # Whichever ends first: the build, or a moment. The wait itself returns
    # as soon as the build ends, so a build with nothing to do costs no more
    # than its own few milliseconds.
    sleep 1 &
    local moment=$! first="" status=0
    wait -n -p first "$build" "$moment" || status=$?
    if [ "$first" = "$build" ]; then
        kill "$moment" 2>/dev/null || true
        wait "$moment" 2>/dev/null || true
    else
        echo "Building Velloran (log: $dir/build.log)..."
        status=0
        wait "$build" || status=$?
    fi
    if [ "$status" -ne 0 ]; then
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
    # A folder built with another generator (make, before Ninja) is emptied
    # and built afresh: CMake refuses to switch generators over an old cache,
    # and Ninja would not know the old objects anyway. The log being written
    # stays.
    if [ -f "$dir/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$dir/CMakeCache.txt"; then
        find "$dir" -mindepth 1 -maxdepth 1 ! -name build.log -exec rm -rf {} +
    fi
    # A configure that failed half-way leaves a cache but no build.ninja.
    if [ ! -f "$dir/CMakeCache.txt" ] || [ ! -f "$dir/build.ninja" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    elif [ $# -gt 0 ]; then
        cmake "$dir" "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" ${VELLORAN_TARGET:+--target "$VELLORAN_TARGET"}
}
