# Sourced by run.sh and test.sh: installs the Debian packages the build needs, only when one is
# missing, so that a machine that has them all starts at once.
korvel_packages="cmake g++ clang ninja-build libclang-rt-14-dev libsdl2-dev libgif-dev libgtest-dev libbenchmark-dev"
korvel_missing=""
for pkg in $korvel_packages; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        korvel_missing="$korvel_missing $pkg"
    fi
done
if [ -n "$korvel_missing" ]; then
    echo "Installing:$korvel_missing"
    if [ "$(id -u)" -ne 0 ]; then
        echo "These packages are missing; run as root to install them:$korvel_missing" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $korvel_missing >/dev/null
fi
