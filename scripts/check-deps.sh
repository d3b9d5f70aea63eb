#!/usr/bin/env bash
# Checks that a fresh Debian 12 machine gets, through scripts/install-deps.sh,
# every package the build used: the owners of the CMake package configurations
# the configure step loaded (the *_DIR entries of the cache) and of every shared
# library the programs, the tests, the tools and the benchmarks link. Each must lie in the hard-dependency
# closure of the packages install-deps.sh names, or be part of the base image
# (priority required or important). Usage: scripts/check-deps.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cache="$build/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-deps: no $cache: build first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The packages a fresh machine is sure to have after install-deps.sh.
mapfile -t named < <(scripts/install-deps.sh --list)
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${named[@]}" 2>/dev/null |
    sed -n 's/^\([a-z0-9][a-z0-9.+-]*\)\(:[a-z0-9]*\)\?$/\1/p' >"$work/closure"
printf '%s\n' "${named[@]}" >>"$work/closure"
dpkg-query -W -f='${Package} ${Priority} ${Essential}\n' |
    awk '$2 == "required" || $2 == "important" || $3 == "yes" { print $1 }' >>"$work/closure"
sort -u -o "$work/closure" "$work/closure"

# Every file the build needed from the system: "file" per line.
{
    sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/.*\)$/\1/p' "$cache" | while read -r dir; do
        case "$dir" in "$PWD" | "$PWD"/*) continue ;; esac
        # The package's own configuration file (its folder may also hold
        # other packages' plugin files); an entry without one is a module's
        # include folder, not a package configuration.
        name=$(basename "$dir")
        for config in "$dir/${name}Config.cmake" "$dir/${name,,}-config.cmake"; do
            if [ -f "$config" ]; then
                echo "$config"
                break
            fi
        done
    done
    # zafrano, zafrano-cli, the test programs and the tools and benchmarks beside them.
    binaries=("$build/bin/zafrano" "$build/bin/zafrano-cli")
    while IFS= read -r program; do binaries+=("$program"); done < <(
        find "$build/bin" -maxdepth 1 -type f -perm -u+x ! -name 'zafrano' ! -name 'zafrano-cli')
    for binary in "${binaries[@]}"; do
        [ -f "$binary" ] || { echo "check-deps: $binary is missing: build first" >&2; exit 2; }
        ldd "$binary" 2>/dev/null | sed -n 's/.*=> \(\/[^ ]*\) .*/\1/p' || true
    done
} | sort -u >"$work/files"

# The package that owns a file; merged /usr means dpkg may know it by either name.
owner() {
    local file=$1 real
    real=$(readlink -f "$1")
    for candidate in "$file" "$real" "${file#/usr}" "${real#/usr}" "/usr$file" "/usr$real"; do
        if dpkg -S "$candidate" 2>/dev/null | head -n 1 | sed 's/:[^ ]*\?: .*//; s/: .*//'; then
            return
        fi
    done
}

status=0
checked=0
while IFS= read -r file; do
    package=$(owner "$file")
    if [ -z "$package" ]; then
        echo "check-deps: no package owns $file"
        status=1
        continue
    fi
    checked=$((checked + 1))
    if ! grep -qx "$package" "$work/closure"; then
        echo "check-deps: $package (needed by $file) is not installed by scripts/install-deps.sh"
        status=1
    fi
done <"$work/files"

if ((status == 0)); then
    echo "check-deps: all $checked files come from packages that install-deps.sh installs"
fi
exit $status
